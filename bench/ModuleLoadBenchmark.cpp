// Loading a module whose entry names file holds a million names, next to a
// bare std::getline split of the same files, so the ratio between the two is
// what to read, not the absolute times. bench/run.py runs each benchmark in
// a process of its own, alternating with its yardstick.
//
// These loads are warm: the same process loads again and again into a heap
// that earlier loads have grown. The one-shot cold figure is `qlm check` in
// a fresh process against `cat` of the same files; `--write-files=DIR`
// writes the files for it and exits.
#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CBenchFolder.h"
#include "CPeakMemory.h"
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

const char* const kFileNames[] = {"module.qlm", "names.txt", "chars.tbl", "kinds.txt"};

void WriteFiles(const std::string& folder) {
    const auto write = [&folder](const char* name, const std::string& content) {
        std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
        out << content;
        if (!out) throw std::runtime_error("cannot write " + folder + "/" + name);
    };
    write("module.qlm", ModuleText());
    WriteNames(folder + "/names.txt");
    write("chars.tbl", CharTableText());
    write("kinds.txt", "3\n0 Beast\n1 Spirit\n2 Construct\n");
}

const CBenchFolder& Files() {
    static const CBenchFolder folder;
    static const bool written = [] {
        WriteFiles(folder.Path());
        return true;
    }();
    (void)written;
    return folder;
}

void ReportMemory(benchmark::State& state, const CPeakMemory& memory) {
    if (!memory.IsValid()) {
        state.SkipWithError("cannot reset the peak resident size (/proc/self/clear_refs)");
        return;
    }
    state.counters["peak_rss_MiB"] = memory.PeakMiB();
    state.counters["rss_growth_MiB"] = memory.GrowthMiB();
}

void BM_LoadMillionNameModule(benchmark::State& state) {
    const std::string path = Files().PathOf("module.qlm");
    const CPeakMemory memory;
    for (auto _ : state) {
        CFile file;
        if (!file.Open(path, CFile::modeRead)) throw std::runtime_error("cannot open " + path);
        auto module = std::make_unique<CTableModule>();
        // Success is the zero of whatever the loader returns.
        const auto error = module->Load(file);
        if (static_cast<int>(error) != 0 || module->m_nEntryCount != kNames)
            throw std::runtime_error("the benchmark module failed to load: " +
                                     std::to_string(static_cast<int>(error)));
        benchmark::DoNotOptimize(module->m_entryNames.back().data());
    }
    ReportMemory(state, memory);
}

// The floor: every line of the same files read with std::getline and
// thrown away.
void BM_GetlineSplitSameFiles(benchmark::State& state) {
    Files();
    for (auto _ : state) {
        size_t lines = 0;
        for (const char* name : kFileNames) {
            std::ifstream in(Files().PathOf(name), std::ios::binary);
            std::string line;
            while (std::getline(in, line))
                ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
}

// The same split keeping every line, as a label array must; the yardstick
// for the load's memory too.
void BM_GetlineSplitKeepLines(benchmark::State& state) {
    Files();
    const CPeakMemory memory;
    for (auto _ : state) {
        std::vector<std::string> lines;
        for (const char* name : kFileNames) {
            std::ifstream in(Files().PathOf(name), std::ios::binary);
            std::string line;
            while (std::getline(in, line))
                lines.push_back(line);
        }
        benchmark::DoNotOptimize(lines.data());
    }
    ReportMemory(state, memory);
}

} // namespace

BENCHMARK(BM_LoadMillionNameModule)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetlineSplitSameFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetlineSplitKeepLines)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    const std::string writeFiles = "--write-files=";
    if (argc == 2 && std::string(argv[1]).starts_with(writeFiles)) {
        WriteFiles(std::string(argv[1]).substr(writeFiles.size()));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
