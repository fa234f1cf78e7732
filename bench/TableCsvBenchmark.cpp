// The table as CSV: the import engine (every cell read strictly, the
// changed entries applied as one undo step) beside the export of the same
// table. With --write-files=DIR it writes instead the files of run.py's
// one-shot figures: a module, a ROM of a million entries for `qlm dump`
// against `xxd -p` (and another of nine elements of every kind), and a ROM of 100,000 entries with its own
// dump and another table's (every entry changed) for `qlm import` against `qlm dump`.
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "CBenchFolder.h"
#include "document/RomDocument.h"
#include "document/TableExport.h"
#include "document/TableImport.h"
#include "platform/files/CFile.h"
#include "table/CTableModule.h"
#include "table/HexText.h"

namespace {

constexpr uint32_t kBase = 0x40;
constexpr uint32_t kEntryLength = 32;
constexpr int kImportEntries = 100000;
constexpr int kDumpEntries = 1000000;

// Every kind of element, a text that sometimes needs quotes, a padding byte.
std::string ModuleText(int entries) {
    return "1\nCSV bench\n" + std::to_string(kBase) + "\n" + std::to_string(entries) + "\n" +
           std::to_string(kEntryLength) +
           "\nNULL\nnone\n"
           "Hit points\n0\n2\n----\n-\nTemper\n2\n1\n---S\n-\nGold\n3\n2\n--H-\n-\n"
           "Kind\n5\n1\n-D--\nvalues.txt\nName\n6\n8\nT---\n-\nFlags\n14\n4\nH---\n-\n"
           "Mana\n18\n4\n----\n-\nSpeed\n22\n2\n---S\n-\nAffinity\n24\n1\n-DH-\nvalues.txt\n"
           "Level\n25\n1\n---b\n-\nExtra\n26\n5\nH---\n-\n";
}

// Nine elements, one or more of every kind: numbers, signed, hex, hex
// arrays, texts through a character table, dropboxes (one shown in hex).
std::string KindsModuleText(int entries) {
    return "1\nNine kinds\n" + std::to_string(kBase) + "\n" + std::to_string(entries) + "\n" +
           std::to_string(kEntryLength) +
           "\nNULL\nkinds.tbl\n"
           "Hit points\n0\n2\n----\n-\nTemper\n2\n1\n---S\n-\nGold\n3\n2\n--H-\n-\n"
           "Kind\n5\n1\n-D--\nvalues.txt\nName\n6\n10\nT---\n-\nFlags\n16\n4\nH---\n-\n"
           "Mana\n20\n4\n----\n-\nSpeed\n24\n2\n---S\n-\nAffinity\n26\n1\n-DH-\nvalues.txt\n";
}

// Codes 0x80 to 0xBF are letters, digits and a comma now and then; 0x00 ends
// a text.
std::string KindsCharTableText() {
    static constexpr char kShown[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789, .";
    std::string text;
    for (size_t k = 0; k + 1 < sizeof kShown; ++k)
        text += HexText::Padded(0x80 + k, 2) + "=" + kShown[k] + "\n";
    return text;
}

std::string ValuesText() {
    std::string text = "256\n";
    for (int v = 0; v < 256; ++v)
        text += std::to_string(v) + " Kind " + std::to_string(v) + "\n";
    return text;
}

// Random bytes, the name's bytes letters (a comma now and then).
std::vector<uint8_t> MakeRom(int entries, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> rom(kBase + size_t{kEntryLength} * static_cast<size_t>(entries));
    for (uint8_t& b : rom)
        b = static_cast<uint8_t>(random());
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ,";
    for (int e = 0; e < entries; ++e)
        for (size_t k = 0; k < 8; ++k)
            rom[kBase + size_t{kEntryLength} * static_cast<size_t>(e) + 6 + k] =
                    static_cast<uint8_t>(kLetters[random() % (sizeof kLetters - 1)]);
    return rom;
}

// Random bytes; the name's bytes codes of the character table.
std::vector<uint8_t> MakeKindsRom(int entries, unsigned seed) {
    std::vector<uint8_t> rom = MakeRom(entries, seed);
    std::mt19937 random(seed);
    for (int e = 0; e < entries; ++e)
        for (size_t k = 0; k < 10; ++k)
            rom[kBase + size_t{kEntryLength} * static_cast<size_t>(e) + 6 + k] =
                    static_cast<uint8_t>(0x80 + random() % 64);
    return rom;
}

std::unique_ptr<CTableModule> LoadModule(const std::string& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead)) throw std::runtime_error("cannot open the benchmark module");
    auto module = std::make_unique<CTableModule>();
    if (const auto error = module->Load(file); static_cast<int>(error) != 0)
        throw std::runtime_error("the benchmark module failed to load");
    return module;
}

std::span<const uint8_t> Table(const std::vector<uint8_t>& rom) {
    return std::span<const uint8_t>(rom).subspan(kBase);
}

std::string Export(const CTableModule& module, const std::vector<uint8_t>& rom) {
    std::string csv;
    (void)TableExport::Write(module, Table(rom), [&csv](std::string_view block) {
        csv += block;
        return true;
    });
    return csv;
}

struct ImportCase {
    CBenchFolder folder;
    std::unique_ptr<CTableModule> module;
    std::vector<uint8_t> rom;
    // Another table's dump: nearly every cell differs from the ROM's.
    std::string csv;

    ImportCase() {
        folder.Write("values.txt", ValuesText());
        module = LoadModule(folder.Write("table.qlm", ModuleText(kImportEntries)));
        rom = MakeRom(kImportEntries, 1);
        csv = Export(*module, MakeRom(kImportEntries, 2));
    }
};

void BM_ImportChangedTable100k(benchmark::State& state) {
    ImportCase c;
    RomDocument document;
    for (auto _ : state) {
        state.PauseTiming();
        document.Adopt(c.rom, "bench.rom");
        state.ResumeTiming();
        TableImport::Outcome imported = TableImport::Read(*c.module, Table(c.rom), c.csv, InputRules::Strict);
        if (!imported || imported.Value().size() != kImportEntries)
            throw std::runtime_error("the benchmark import was refused");
        if (!document.ApplyEntries(*c.module, imported.Value(), 0))
            throw std::runtime_error("the benchmark import did not apply");
        benchmark::DoNotOptimize(document.Data());
    }
    state.SetItemsProcessed(state.iterations() * kImportEntries);
}

void BM_ExportTable100k(benchmark::State& state) {
    ImportCase c;
    for (auto _ : state) {
        size_t bytes = 0;
        (void)TableExport::Write(*c.module, Table(c.rom), [&bytes](std::string_view block) {
            bytes += block.size();
            benchmark::DoNotOptimize(block.data());
            return true;
        });
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * kImportEntries);
}

void WriteBinary(const std::string& path, const void* data, size_t size) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file || std::fwrite(data, 1, size, file.get()) != size)
        throw std::runtime_error("cannot write " + path);
}

void WriteFiles(const std::string& dir) {
    WriteBinary(dir + "/values.txt", ValuesText().data(), ValuesText().size());
    const std::string dumpModule = ModuleText(kDumpEntries);
    WriteBinary(dir + "/dump.qlm", dumpModule.data(), dumpModule.size());
    const std::vector<uint8_t> big = MakeRom(kDumpEntries, 3);
    WriteBinary(dir + "/dump.rom", big.data(), big.size());
    // qlm diff's other side: one entry in a hundred differs, spread over the table.
    std::vector<uint8_t> edited = big;
    for (int entry = 0; entry < kDumpEntries; entry += 100)
        edited[kBase + size_t{kEntryLength} * static_cast<size_t>(entry) + 6] ^= 0x5A;
    WriteBinary(dir + "/diff.rom", edited.data(), edited.size());
    WriteBinary(dir + "/kinds.tbl", KindsCharTableText().data(), KindsCharTableText().size());
    const std::string kindsModule = KindsModuleText(kDumpEntries);
    WriteBinary(dir + "/kinds.qlm", kindsModule.data(), kindsModule.size());
    const std::vector<uint8_t> kinds = MakeKindsRom(kDumpEntries, 6);
    WriteBinary(dir + "/kinds.rom", kinds.data(), kinds.size());
    const std::string importModule = ModuleText(kImportEntries);
    WriteBinary(dir + "/import.qlm", importModule.data(), importModule.size());
    const std::vector<uint8_t> rom = MakeRom(kImportEntries, 4);
    WriteBinary(dir + "/import.rom", rom.data(), rom.size());
    const auto module = LoadModule(dir + "/import.qlm");
    const std::string csv = Export(*module, rom);
    WriteBinary(dir + "/import.csv", csv.data(), csv.size());
    const std::string changed = Export(*module, MakeRom(kImportEntries, 5));
    WriteBinary(dir + "/changed.csv", changed.data(), changed.size());
}

} // namespace

BENCHMARK(BM_ImportChangedTable100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportTable100k)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    constexpr std::string_view kWrite = "--write-files=";
    if (argc == 2 && std::string_view(argv[1]).starts_with(kWrite)) {
        WriteFiles(std::string(std::string_view(argv[1]).substr(kWrite.size())));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
