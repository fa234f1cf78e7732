// What the recovery journal adds to one applied entry: Apply Changes with
// the journal (the record written and fdatasynced before the image changes)
// against a bare write(2) + fdatasync(2) of the same record's bytes, appended
// to a file in the same folder.
//
// The files live in the current folder (QUILL_BENCH_DIR overrides it), so
// that fdatasync reaches a real disk rather than a memory file system.

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "CBenchFolder.h"
#include "document/RecoveryJournal.h"
#include "document/RomDocument.h"
#include "module/LoadModuleFile.h"
#include "table/CTableModule.h"

namespace {

// A 1 MiB image with a table of 1024 entries of 64 bytes, each a 4-byte number first.
constexpr size_t kImageSize = size_t{1} << 20;
constexpr uint32_t kEntryLength = 64;
constexpr int kEntry = 512;

std::string BenchFolder() {
    const char* dir = std::getenv("QUILL_BENCH_DIR");
    return std::string(dir != nullptr && *dir != '\0' ? dir : ".") + "/bench_recovery";
}

std::string RomPath() {
    return BenchFolder() + "/bench.rom";
}

std::string ModulePath() {
    return BenchFolder() + "/bench.qlm";
}

bool MakeFiles() {
    std::filesystem::create_directories(BenchFolder() + "/state");
    // The journal's folder beside the image, on the same disk.
    ::setenv("XDG_STATE_HOME", (BenchFolder() + "/state").c_str(), 1);
    FILE* module = std::fopen(ModulePath().c_str(), "wb");
    if (module == nullptr) return false;
    std::fprintf(module, "1\nBench\n0\n1024\n%u\nNULL\nnone.tbl\nValue\n0\n4\n----\n-\n", kEntryLength);
    return std::fclose(module) == 0 && WritePatternImage(RomPath(), kImageSize);
}

void Store(CTableModule& module, RomDocument& document, uint32_t value) {
    module.SelectEntry(kEntry, document.Data(), document.Length());
    module.SetElementData(0, reinterpret_cast<const uint8_t*>(&value));
}

void BM_ApplyWithJournal(benchmark::State& state) {
    ModuleFileResult loaded = LoadModuleFile(ModulePath());
    RomDocument document;
    RecoveryJournal journal;
    if (!loaded || !document.Open(RomPath(), "bench.rom")) {
        state.SkipWithError("cannot open the module or the image");
        return;
    }
    CTableModule* module = loaded.Value().get();
    journal.Attach(RomPath(), *document.FileIdentity(), {document.Data(), document.Length()});
    document.SetRecovery(&journal);
    uint32_t value = 0;
    for (auto _ : state) {
        Store(*module, document, ++value);
        if (!document.ApplyEntry(*module) || journal.IsOff()) {
            state.SkipWithError("apply failed");
            return;
        }
    }
    journal.Remove();
}

void BM_BareRecordWriteSync(benchmark::State& state) {
    // The bytes of the record an apply of one entry writes.
    std::vector<uint8_t> entry(2 * kEntryLength, 0x5A);
    const RecoveryPiece piece{kEntry * kEntryLength, kEntryLength, 0};
    std::vector<uint8_t> record;
    RecoveryFormat::EncodeRecord({RecoveryRecord::Kind::Step, kEntry, {&piece, 1}, entry}, record);
    const std::string path = BenchFolder() + "/bare.journal";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        state.SkipWithError("cannot open the bare file");
        return;
    }
    for (auto _ : state) {
        if (::write(fd, record.data(), record.size()) != static_cast<ssize_t>(record.size()) ||
            ::fdatasync(fd) != 0) {
            state.SkipWithError("write failed");
            break;
        }
    }
    ::close(fd);
    ::unlink(path.c_str());
}

// Real time: fdatasync waits for the disk, which CPU time would not see.
BENCHMARK(BM_ApplyWithJournal)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_BareRecordWriteSync)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(0.5);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!MakeFiles()) {
        std::fprintf(stderr, "cannot make %s\n", RomPath().c_str());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(BenchFolder());
    return 0;
}
