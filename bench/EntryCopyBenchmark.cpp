// SelectEntry followed by StoreEntry on an entry of 64 elements: the work
// behind every entry change and every Apply Changes in the editor, beside
// its floor, each element's bytes copied out and back with memcpy.
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CBenchFolder.h"
#include "platform/files/CFile.h"
#include "table/CTableModule.h"

namespace {

constexpr int kElements = 64;
constexpr int kEntries = 256;
constexpr uint32_t kEntryLength = 256;
constexpr uint32_t kBase = 0x100;
constexpr uint32_t kSizes[] = {1, 2, 4, 1, 8, 6, 3, 2};

// A mix of every kind of element, sizes 1 to 4 for numbers and longer
// spans for text and hex arrays, laid end to end.
std::string ModuleText() {
    static const char* const styles[] = {"----", "---S", "--H-", "-D--", "T---", "H---", "---b", "-DH-"};
    std::string text = "1\nSixty-four elements\n" + std::to_string(kBase) + "\n" + std::to_string(kEntries) +
                       "\n" + std::to_string(kEntryLength) + "\nNULL\nnone\n";
    uint32_t offset = 0;
    for (int i = 0; i < kElements; ++i) {
        const int kind = i % 8;
        text += "Element " + std::to_string(i) + "\n" + std::to_string(offset) + "\n" +
                std::to_string(kSizes[kind]) + "\n" + styles[kind] + "\nvalues.txt\n";
        offset += kSizes[kind];
    }
    if (offset > kEntryLength) throw std::logic_error("the elements do not fit the entry");
    return text;
}

std::unique_ptr<CTableModule> LoadModule(const CBenchFolder& folder) {
    CFile file;
    if (!file.Open(folder.PathOf("module.qlm"), CFile::modeRead))
        throw std::runtime_error("cannot open the benchmark module");
    auto module = std::make_unique<CTableModule>();
    // Success is the zero of whatever the loader returns.
    if (const auto error = module->Load(file);
        static_cast<int>(error) != 0 || module->m_nElements != kElements)
        throw std::runtime_error("the benchmark module failed to load: " +
                                 std::to_string(static_cast<int>(error)));
    return module;
}

std::vector<uint8_t> MakeRom() {
    std::vector<uint8_t> rom(kBase + kEntries * kEntryLength);
    for (size_t i = 0; i < rom.size(); ++i)
        rom[i] = static_cast<uint8_t>(i * 31 + 7);
    return rom;
}

void BM_SelectAndStoreEntry64Elements(benchmark::State& state) {
    CBenchFolder folder;
    folder.Write("module.qlm", ModuleText());
    folder.Write("values.txt", "4\n0 Zero\n1 One\n2 Two\n0x40 Sixty-four\n");
    const auto module = LoadModule(folder);
    std::vector<uint8_t> rom = MakeRom();
    const auto length = static_cast<uint32_t>(rom.size());

    int entry = 0;
    for (auto _ : state) {
        if (!module->SelectEntry(entry, rom.data(), length))
            throw std::runtime_error("the benchmark ROM is too short");
        module->StoreEntry(rom.data());
        benchmark::ClobberMemory();
        entry = (entry + 1) % kEntries;
    }
    state.SetItemsProcessed(state.iterations());
}

// The floor: the same 64 spans copied into buffers of their own and back.
void BM_CopyEntryBytes64Elements(benchmark::State& state) {
    std::vector<uint8_t> rom = MakeRom();
    std::vector<std::vector<uint8_t>> elements;
    for (int i = 0; i < kElements; ++i)
        elements.emplace_back(kSizes[i % 8]);
    int entry = 0;
    for (auto _ : state) {
        uint8_t* at = rom.data() + kBase + static_cast<size_t>(entry) * kEntryLength;
        for (std::vector<uint8_t>& bytes : elements) {
            std::memcpy(bytes.data(), at, bytes.size());
            benchmark::DoNotOptimize(bytes.data());
            at += bytes.size();
        }
        at = rom.data() + kBase + static_cast<size_t>(entry) * kEntryLength;
        for (const std::vector<uint8_t>& bytes : elements) {
            std::memcpy(at, bytes.data(), bytes.size());
            at += bytes.size();
        }
        benchmark::ClobberMemory();
        entry = (entry + 1) % kEntries;
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_SelectAndStoreEntry64Elements);
BENCHMARK(BM_CopyEntryBytes64Elements);

BENCHMARK_MAIN();
