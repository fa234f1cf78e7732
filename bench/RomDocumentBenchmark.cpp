// What one edit costs on a 256 MiB image, beside the bare system calls in
// the same run: Save Rom after one applied entry (RomDocument writes the
// changed bytes, then fdatasync) against open + pwrite + fdatasync of the
// same bytes; undo and redo of one entry; and qlm set (in process, module
// load included) against the same bare write of its entry's bytes.
//
// The image lives in the current folder (QUILL_BENCH_DIR overrides it), so
// that fdatasync reaches a real disk rather than a memory file system.

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "CBenchFolder.h"
#include "cli/SetCommand.h"
#include "document/RollbackFile.h"
#include "document/RomDocument.h"
#include "module/LoadModuleFile.h"
#include "platform/files/CFile.h"
#include "table/CTableModule.h"

namespace {

constexpr size_t kImageSize = size_t{256} << 20;
// A table of 1024 entries of 256 bytes in the middle of the image; the
// edited entry is the table's middle one.
constexpr uint64_t kTableBase = kImageSize / 2;
constexpr int kEntryCount = 1024;
constexpr int kEntry = kEntryCount / 2;
constexpr uint32_t kEntryLength = 256;

std::string BenchPath(const char* name) {
    const char* dir = std::getenv("QUILL_BENCH_DIR");
    return std::string(dir != nullptr && *dir != '\0' ? dir : ".") + "/" + name;
}

const std::string& ImagePath() {
    static const std::string path = BenchPath("bench_rom_document.rom");
    return path;
}

const std::string& ModulePath() {
    static const std::string path = BenchPath("bench_rom_document.qlm");
    return path;
}

bool MakeFiles() {
    const bool ok = WritePatternImage(ImagePath(), kImageSize);
    // Each entry starts with a 4-byte number.
    FILE* module = std::fopen(ModulePath().c_str(), "wb");
    if (module == nullptr) return false;
    std::fprintf(module, "1\nBench\n%llu\n%d\n%u\nNULL\nnone.tbl\nValue\n0\n4\n----\n-\n",
                 static_cast<unsigned long long>(kTableBase), kEntryCount, kEntryLength);
    return std::fclose(module) == 0 && ok;
}

// The module and the image, or a skipped benchmark.
ModuleFileResult OpenBenchFiles(benchmark::State& state, RomDocument& document) {
    ModuleFileResult loaded = LoadModuleFile(ModulePath());
    if (!loaded || !document.Open(ImagePath(), "bench.rom")) {
        state.SkipWithError("cannot open the module or the image");
        return ModuleFileResult::Failure(ModuleFileError{});
    }
    return loaded;
}

constexpr uint64_t kEntryOffset = kTableBase + uint64_t{kEntry} * kEntryLength;

// The 4 bytes an edit changes, written the bare way: open, pwrite,
// fdatasync, close.
bool BareWrite(uint32_t value) {
    const int fd = ::open(ImagePath().c_str(), O_WRONLY | O_CLOEXEC);
    const bool ok = fd >= 0 && ::pwrite(fd, &value, sizeof value, static_cast<off_t>(kEntryOffset)) == 4 &&
                    ::fdatasync(fd) == 0;
    if (fd >= 0) ::close(fd);
    return ok;
}

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2),
                     samples.end());
    return samples[samples.size() / 2];
}

// The disk's speed swings while other programs use it, so each iteration
// times the bare write and the operation back to back, and the counters
// give the medians of both and their ratio.
template <class Prepare, class Operation>
void Paired(benchmark::State& state, Prepare prepare, Operation operation) {
    std::vector<double> bare;
    std::vector<double> ours;
    uint32_t value = 0;
    for (auto _ : state) {
        ++value;
        const Clock::time_point start = Clock::now();
        const bool bareOk = BareWrite(value);
        const bool prepared = prepare(value + 1000000);
        const Clock::time_point middle = Clock::now();
        const bool ok = prepared && operation();
        const Clock::time_point end = Clock::now();
        if (!bareOk || !ok) {
            state.SkipWithError("write failed");
            return;
        }
        bare.push_back(std::chrono::duration<double, std::micro>(middle - start).count());
        ours.push_back(std::chrono::duration<double, std::micro>(end - middle).count());
    }
    const double bareMedian = Median(bare);
    const double oursMedian = Median(ours);
    state.counters["bare_us"] = bareMedian;
    state.counters["ours_us"] = oursMedian;
    state.counters["ratio"] = bareMedian > 0 ? oursMedian / bareMedian : 0;
}

// Apply is not timed: only Save Rom's own work is, against the bare write.
// The bare write went behind the document's back, so the file's time is put
// back (untimed too) for the save to find the file as it left it.
void BM_SaveRomAfterOneEntry(benchmark::State& state) {
    RomDocument document;
    ModuleFileResult loaded = OpenBenchFiles(state, document);
    if (!loaded) return;
    CTableModule& module = *loaded.Value();
    struct stat saved {};
    if (stat(ImagePath().c_str(), &saved) != 0) {
        state.SkipWithError("cannot stat the image");
        return;
    }
    Paired(
            state,
            [&](uint32_t value) {
                module.SelectEntry(kEntry, document.Data(), document.Length());
                module.SetElementData(0, reinterpret_cast<const uint8_t*>(&value));
                const timespec times[2] = {saved.st_atim, saved.st_mtim};
                return document.ApplyEntry(module) && utimensat(AT_FDCWD, ImagePath().c_str(), times, 0) == 0;
            },
            [&] {
                const RomDocument::SaveResult result = document.Save(RomDocument::SaveMode::KeepChangedFile);
                return result && result.Value() == RomDocument::SaveOutcome::Saved &&
                       stat(ImagePath().c_str(), &saved) == 0;
            });
}

void BM_QlmSetOneValue(benchmark::State& state) {
    std::ostringstream out;
    std::ostringstream err;
    std::string value;
    Paired(
            state,
            [&](uint32_t next) {
                value = std::to_string(next);
                return true;
            },
            [&] {
                return SetCommand::Run({ModulePath(), ImagePath(), std::to_string(kEntry), "Value", value},
                                       out, err, InputRules::Strict) == 0;
            });
}

void BM_UndoRedoOneEntry(benchmark::State& state) {
    RomDocument document;
    ModuleFileResult loaded = OpenBenchFiles(state, document);
    if (!loaded) return;
    CTableModule& module = *loaded.Value();
    const uint32_t value = 0x01020304;
    module.SelectEntry(kEntry, document.Data(), document.Length());
    module.SetElementData(0, reinterpret_cast<const uint8_t*>(&value));
    if (!document.ApplyEntry(module)) {
        state.SkipWithError("apply failed");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.Undo());
        benchmark::DoNotOptimize(document.Redo());
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

// A save of many scattered ranges, the case its rollback file costs most
// in: 524,288 ranges of 4 bytes, one every 512, over the whole image. The
// product writes them through RollbackFile (old bytes recorded and synced,
// ranges written and synced, record removed); the yardstick writes the same
// ranges in place and syncs, as saves did without the record.
constexpr uint32_t kRangeStride = 512;
constexpr uint32_t kRangeLength = 4;

template <class Write>
void ManyRanges(benchmark::State& state, Write write) {
    CFile file;
    if (!file.Open(ImagePath(), CFile::modeReadWrite) || !file.LockExclusive()) {
        state.SkipWithError("cannot open the image");
        return;
    }
    RollbackFile::Ranges ranges;
    for (uint32_t at = 0; at < kImageSize; at += kRangeStride)
        ranges.emplace_back(at, at + kRangeLength);
    std::vector<uint8_t> image(kImageSize);
    uint32_t value = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++value;
        for (const auto& range : ranges)
            std::memcpy(image.data() + range.first, &value, kRangeLength);
        state.ResumeTiming();
        if (!write(file, ranges, image.data())) {
            state.SkipWithError("write failed");
            return;
        }
    }
    state.counters["ranges"] = static_cast<double>(ranges.size());
}

void BM_SaveManyRangesWithRollback(benchmark::State& state) {
    ManyRanges(state, [](CFile& file, const RollbackFile::Ranges& ranges, const uint8_t* image) {
        return RollbackFile::Write(file, ImagePath(), ranges, {image, 0}, false).Ok();
    });
}

void BM_SaveManyRangesInPlace(benchmark::State& state) {
    ManyRanges(state, [](CFile& file, const RollbackFile::Ranges& ranges, const uint8_t* image) {
        for (const auto& [begin, end] : ranges)
            if (!file.WriteAt(begin, image + begin, end - begin)) return false;
        return file.SyncData();
    });
}

// Real time: fdatasync waits for the disk, which CPU time would not see.
BENCHMARK(BM_SaveRomAfterOneEntry)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_QlmSetOneValue)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_UndoRedoOneEntry)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveManyRangesWithRollback)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_SaveManyRangesInPlace)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!MakeFiles()) {
        std::fprintf(stderr, "cannot make %s\n", ImagePath().c_str());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(ImagePath().c_str());
    std::remove(ModulePath().c_str());
    return 0;
}
