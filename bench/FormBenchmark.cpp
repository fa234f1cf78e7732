// Speed of the element form on a large module: 100,000 entries, 200
// elements of every kind. Compare BM_FormEntrySelectorFill with
// BM_BareComboFill (bench/BareComboYardstick.cpp) from the same run.
//
// BM_FormSwitchFlushed/N switches entries on a shown form of N elements and
// flushes the event loop after each switch, so the repaint is paid for too.
// The cost must grow linearly with N; at 200 elements it is compared with
// BM_BareFormSetText/200, the same 200 rows as bare toolkit widgets, in the
// same run. Figures are ratios of medians from one run of
//
//   QT_QPA_PLATFORM=offscreen build/rel/bench/bench_form
//     --benchmark_filter='Flushed|BareForm' --benchmark_repetitions=9
//     --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
//     --benchmark_min_time=0.2
//
// (one command line; build/rel configured with -DCMAKE_BUILD_TYPE=Release)
//
// (Release build, no sanitizers, on the shared 2-core build machine, under
// load from other work; medians of 9 interleaved repetitions, wall time):
//
//   elements  switch     vs 200   vs bare 200 rows (3.73 ms)
//        200   1.05 ms     1.0      0.28
//       1000   3.21 ms     3.1
//       2000   9.14 ms     8.7
//       5000  21.3 ms     20.3      (5000 vs 1000: 6.6)
//
// Before rows out of view stopped taking repaints and text layout, the same
// program gave 200: 8.27 ms, 1000: 50.8 ms, 2000: 178 ms, 5000: 1551 ms
// (2000 vs 200: 21.5; 5000 vs 1000: 30.5) against 6.35 ms for the bare rows
// (200 vs bare: 1.30).

#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FormBenchData.h"
#include "platform/store/RegistryStore.h"
#include "platform/windows/CComboBox.h"
#include "table/CTableModule.h"
#include "ui/CEditorDlg.h"

namespace {

constexpr int kEntries = 100000;
constexpr int kElements = 200;

struct ElementShape {
    std::uint32_t size;
    std::uint8_t style;
};

// Numbers, signed and hexadecimal numbers, hex arrays, text and dropboxes
// in turn, so every kind of row is built and shown.
constexpr ElementShape kShapes[] = {
        {2, 0}, {1, STYLE_SIGNED}, {2, STYLE_HEX}, {4, STYLE_HEXARRAY}, {8, STYLE_TEXT}, {1, STYLE_DROPBOX},
};

std::unique_ptr<CTableModule> MakeModule(int entries, const EntryLabels& labels, int elements) {
    auto module = std::make_unique<CTableModule>();
    module->m_strName = "Benchmark";
    module->m_nEntryCount = entries;
    module->m_entryNames = labels;
    std::uint32_t offset = 0;
    for (int i = 0; i < elements; ++i) {
        const ElementShape& shape = kShapes[static_cast<std::size_t>(i) % std::size(kShapes)];
        ModuleElement e;
        e.name = "Element " + std::to_string(i);
        e.offset = offset;
        e.size = shape.size;
        e.style = shape.style;
        if (shape.style & STYLE_DROPBOX)
            for (std::uint32_t v = 0; v < 16; ++v) {
                e.values.push_back(v * 3);
                e.valueNames.push_back("Value " + std::to_string(v));
            }
        e.valueCount = static_cast<std::int32_t>(e.values.size());
        offset += shape.size;
        module->AddElement(std::move(e));
    }
    module->m_nEntryLength = offset;
    return module;
}

std::unique_ptr<CTableModule> MakeBigModule() {
    return MakeModule(kEntries, FormBenchEntryLabels(), kElements);
}

void FillRandom(CEditorDlg& dlg, std::size_t length) {
    dlg.m_pRom = std::make_unique<std::uint8_t[]>(length);
    dlg.m_nRomLength = static_cast<std::uint32_t>(length);
    dlg.m_bRomOpen = true;
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < length; ++i) {
        seed = seed * 1103515245u + 12345u;
        dlg.m_pRom[i] = static_cast<std::uint8_t>(seed >> 16);
    }
}

// One dialog with the big module current and a ROM open, as the module
// list and Open Rom leave it, for every benchmark of this file.
struct FormBench {
    FormBench() {
        RegistryStore::SetFolder("/nonexistent/quill-bench-registry");
        dlg.Create();
        dlg.m_modules.push_back(MakeBigModule());
        dlg.m_nCurModule = 0;
        FillRom(static_cast<std::size_t>(Module().m_nEntryLength) * kEntries);
    }

    void FillRom(std::size_t length) { FillRandom(dlg, length); }

    CTableModule& Module() { return *dlg.m_modules[0]; }

    CEditorDlg dlg;
};

FormBench& Bench() {
    static FormBench bench;
    return bench;
}

void BM_FormEntrySelectorFill(benchmark::State& state) {
    CComboBox& selector = *Bench().dlg.m_pEntryCombo;
    const EntryLabels& labels = FormBenchEntryLabels();
    for (auto _ : state) {
        // Timed with the list of views, which the form builds on each fill.
        selector.AddStrings(labels.Views());
        state.PauseTiming();
        if (selector.GetCount() != kEntries) state.SkipWithError("selector not filled");
        selector.ResetContent();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FormEntrySelectorFill)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FormBuildAndDestroy(benchmark::State& state) {
    FormBench& b = Bench();
    for (auto _ : state) {
        b.dlg.BuildForm(0);
        b.dlg.DestroyForm();
    }
}
BENCHMARK(BM_FormBuildAndDestroy)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FormSwitchEntry(benchmark::State& state) {
    FormBench& b = Bench();
    b.dlg.BuildForm(0);
    int entry = 0;
    for (auto _ : state) {
        entry = (entry + 4999) % kEntries;
        if (!b.Module().SelectEntry(entry, b.dlg.m_pRom.get(), b.dlg.m_nRomLength))
            state.SkipWithError("entry not selected");
        b.dlg.ShowEntry();
    }
    b.dlg.DestroyForm();
}
BENCHMARK(BM_FormSwitchEntry)->Unit(benchmark::kMillisecond);

void BM_FormSwitchFlushed(benchmark::State& state) {
    constexpr int kFewEntries = 16;
    const int elements = static_cast<int>(state.range(0));
    EntryLabels labels;
    for (int k = 0; k < kFewEntries; ++k)
        labels.AppendBare();
    CEditorDlg dlg;
    dlg.Create();
    dlg.m_modules.push_back(MakeModule(kFewEntries, labels, elements));
    dlg.m_nCurModule = 0;
    CTableModule& module = *dlg.m_modules[0];
    FillRandom(dlg, static_cast<std::size_t>(module.m_nEntryLength) * kFewEntries);
    dlg.BuildForm(0);
    FlushEvents();
    int entry = 0;
    for (auto _ : state) {
        entry = (entry + 1) % kFewEntries;
        if (!module.SelectEntry(entry, dlg.m_pRom.get(), dlg.m_nRomLength))
            state.SkipWithError("entry not selected");
        dlg.ShowEntry();
        FlushEvents();
    }
    dlg.DestroyForm();
}
BENCHMARK(BM_FormSwitchFlushed)->Arg(200)->Arg(1000)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

const EntryLabels& FormBenchEntryLabels() {
    static const EntryLabels labels = [] {
        EntryLabels out;
        for (int k = 0; k < kEntries; ++k)
            out.push_back("Creature " + std::to_string(k) + (k % 7 == 0 ? " of the marsh" : ""));
        return out;
    }();
    return labels;
}
