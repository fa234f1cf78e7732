// Loading a module whose entry names file holds a million names, next to a
// bare std::getline split of the same three files in the same run, so the
// ratio between the two is what to read, not the absolute times.
#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "CBenchFolder.h"
#include "platform/files/CFile.h"
#include "table/CTableModule.h"

namespace {

constexpr int kNames = 1'000'000;

std::string ModuleText() {
    return "1\nMillion names\n0\n" + std::to_string(kNames) +
           "\n16\nnames.txt\nchars.tbl\n"
           "Name\n0\n8\nT---\n-\nLevel\n8\n1\n----\n-\nKind\n9\n1\n-D--\nkinds.txt\nFlags\n10\n4\nH---\n-\n";
}

// Streamed out line by line, so that building the input does not raise the
// process's peak memory above what loading it costs.
void WriteNames(const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < kNames; ++i)
        out << "Creature number " << i << '\n';
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string CharTableText() {
    std::string table;
    for (int c = 'A'; c <= 'Z'; ++c)
        table += std::to_string(c - 'A' + 10).substr(0, 2) + "=" + static_cast<char>(c) + "\n";
    return table;
}

const CBenchFolder& Files() {
    static const CBenchFolder folder;
    static const bool written = [] {
        folder.Write("module.qlm", ModuleText());
        WriteNames(folder.PathOf("names.txt"));
        folder.Write("chars.tbl", CharTableText());
        folder.Write("kinds.txt", "3\n0 Beast\n1 Spirit\n2 Construct\n");
        return true;
    }();
    (void)written;
    return folder;
}

double PeakRssMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LoadMillionNameModule(benchmark::State& state) {
    const std::string path = Files().PathOf("module.qlm");
    for (auto _ : state) {
        CFile file;
        if (!file.Open(path, CFile::modeRead)) throw std::runtime_error("cannot open " + path);
        auto module = std::make_unique<CTableModule>();
        const LoadError error = module->Load(file);
        if (error != LoadError::None || module->m_nEntryCount != kNames)
            throw std::runtime_error("the benchmark module failed to load: " +
                                     std::to_string(static_cast<int>(error)));
        benchmark::DoNotOptimize(module->m_entryNames.back().data());
    }
    state.counters["peak_rss_MiB"] = PeakRssMiB();
}

// The floor: every line of the same files read with std::getline and
// thrown away.
void BM_GetlineSplitSameFiles(benchmark::State& state) {
    const char* names[] = {"module.qlm", "names.txt", "chars.tbl", "kinds.txt"};
    for (auto _ : state) {
        size_t lines = 0;
        for (const char* name : names) {
            std::ifstream in(Files().PathOf(name), std::ios::binary);
            std::string line;
            while (std::getline(in, line))
                ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
}

// The same split keeping every line, as a label array must.
void BM_GetlineSplitKeepLines(benchmark::State& state) {
    const char* names[] = {"module.qlm", "names.txt", "chars.tbl", "kinds.txt"};
    for (auto _ : state) {
        std::vector<std::string> lines;
        for (const char* name : names) {
            std::ifstream in(Files().PathOf(name), std::ios::binary);
            std::string line;
            while (std::getline(in, line))
                lines.push_back(line);
        }
        benchmark::DoNotOptimize(lines.data());
    }
}

} // namespace

BENCHMARK(BM_LoadMillionNameModule)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetlineSplitSameFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetlineSplitKeepLines)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
