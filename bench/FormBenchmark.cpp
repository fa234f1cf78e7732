// Speed of the element form on a large module: 100,000 entries, 200
// elements of every kind. Each benchmark here has a yardstick in
// BareToolkitYardsticks.cpp that does the same work with bare toolkit
// widgets on the same table; bench/run.py runs each in a process of its own,
// alternating with its yardstick, and prints the ratios.
//
// What is timed is what the user waits for: the work and then the event loop
// until the window has painted, since painting is most of an entry switch.

#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "EditorDlgProbe.h"
#include "FormBenchShared.h"
#include "platform/store/RegistryStore.h"
#include "platform/windows/CComboBox.h"
#include "table/CTableModule.h"
#include "ui/CEditorDlg.h"
#include "ui/model/EditorState.h"

namespace {

using namespace formbench;

std::uint8_t StyleOf(Kind kind) {
    switch (kind) {
    case Kind::Signed:
        return STYLE_SIGNED;
    case Kind::Hex:
        return STYLE_HEX;
    case Kind::HexArray:
        return STYLE_HEXARRAY;
    case Kind::Text:
        return STYLE_TEXT;
    case Kind::Dropbox:
        return STYLE_DROPBOX;
    case Kind::Number:
        break;
    }
    return 0;
}

std::unique_ptr<CTableModule> MakeModule(int entries, const EntryLabels& labels, int elements) {
    auto module = std::make_unique<CTableModule>();
    module->m_strName = "Benchmark";
    module->m_nEntryCount = entries;
    module->m_entryNames = labels;
    for (int i = 0; i < elements; ++i) {
        const Shape shape = ShapeOf(i);
        ModuleElement e;
        e.name = "Element " + std::to_string(i);
        e.offset = OffsetOf(i);
        e.size = shape.size;
        e.style = StyleOf(shape.kind);
        if (shape.kind == Kind::Dropbox)
            for (std::uint32_t v = 0; v < kDropboxValues; ++v) {
                e.values.push_back(DropboxValue(v));
                e.valueNames.push_back(DropboxName(v));
            }
        e.valueCount = static_cast<std::int32_t>(e.values.size());
        module->AddElement(std::move(e));
    }
    module->m_nEntryLength = OffsetOf(elements);
    return module;
}

std::unique_ptr<CTableModule> MakeBigModule() {
    return MakeModule(kEntries, SharedEntryLabels(), kElements);
}

// The editor's dialog, shown. Every benchmark makes its own and drops it
// before returning, so no widget outlives the benchmark, let alone the
// application object.
struct EditorFixture {
    EditorFixture() {
        // Keep a user's association store out of the dialog's start.
        RegistryStore::SetFolder("/nonexistent/quill-bench-registry");
        dlg.Create();
        FlushUntilPainted();
    }

    // A ROM open and the big module current, as Open Rom and the module
    // list leave the dialog.
    void OpenTable() {
        AdoptRom(std::size_t{EntryLength()} * kEntries);
        State().modules.push_back(MakeBigModule());
        State().ModulesChanged();
    }

    void AdoptRom(std::size_t length) {
        std::vector<std::uint8_t> image(length);
        FillRom(image.data(), length);
        State().document.Adopt(image, "bench.rom");
    }
    EditorState& State() { return EditorDlgProbe(dlg).State(); }
    // The form of module 0 built (entry 0 shown with a ROM open), and gone.
    void BuildForm() { State().SelectModule(0); }
    void DestroyForm() { State().SelectModule(-1); }

    CEditorDlg dlg;
};

void BM_FormEntrySelectorFill(benchmark::State& state) {
    EditorFixture fixture;
    CComboBox& selector = *EditorDlgProbe(fixture.dlg).EntryCombo();
    const EntryLabels& labels = SharedEntryLabels();
    // One untimed fill, so every timed one meets the same warm heap.
    selector.AddStrings(labels.Text(), labels.Ends());
    selector.ResetContent();
    FlushEvents();
    for (auto _ : state) {
        // The form's own call: the labels as they are packed in the module.
        selector.AddStrings(labels.Text(), labels.Ends());
        FlushEvents();
        state.PauseTiming();
        if (selector.GetCount() != kEntries) state.SkipWithError("selector not filled");
        selector.ResetContent();
        FlushEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FormEntrySelectorFill)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FormBuildAndDestroy(benchmark::State& state) {
    EditorFixture fixture;
    fixture.OpenTable();
    // One untimed pass, so every timed one meets the same warm heap.
    fixture.BuildForm();
    FlushUntilPainted();
    fixture.DestroyForm();
    FlushEvents();
    for (auto _ : state) {
        fixture.BuildForm();
        if (FlushUntilPainted() == 0) state.SkipWithError("the form never painted");
        fixture.DestroyForm();
        FlushEvents();
    }
}
BENCHMARK(BM_FormBuildAndDestroy)->Unit(benchmark::kMillisecond)->Iterations(5);

// The user's way: the selector's selection changes, its notification
// handler shows the entry, and the loop repaints.
void BM_FormSwitchEntry(benchmark::State& state) {
    EditorFixture fixture;
    fixture.OpenTable();
    fixture.BuildForm();
    FlushUntilPainted();
    int entry = 0;
    for (auto _ : state) {
        entry = (entry + 4999) % kEntries;
        EditorDlgProbe(fixture.dlg).EntryCombo()->SetCurSel(entry);
        fixture.dlg.OnEntrySelChange();
        if (FlushUntilPainted() == 0) state.SkipWithError("the switch never painted");
    }
    if (fixture.State().modules[0]->m_nCurEntry != entry) state.SkipWithError("the entry was not selected");
    fixture.DestroyForm();
}
BENCHMARK(BM_FormSwitchEntry)->Unit(benchmark::kMillisecond)->Iterations(300);

// The switch as the form grows: its cost must grow in proportion to the rows,
// not faster (rows out of view take no repaint). Compare /2000 with /200 from
// the same run; /200 with BM_BareFormSwitch. Figures (Release, loaded 2-core
// machine, medians of 9 interleaved repetitions, wall time):
//
//   QT_QPA_PLATFORM=offscreen build/rel/bench/bench_form
//     --benchmark_filter='SwitchScaled|BareFormSwitch' --benchmark_repetitions=9
//     --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
//
//   elements  switch    vs 200
//        200   1.05 ms    1.0
//       1000   3.21 ms    3.1
//       2000   9.14 ms    8.7
//       5000  21.3 ms    20.3
//
// Before rows out of view stopped taking repaints and text layout: 200: 8.27
// ms, 1000: 50.8 ms, 2000: 178 ms, 5000: 1551 ms (2000 vs 200: 21.5).
void BM_FormSwitchScaled(benchmark::State& state) {
    constexpr int kFewEntries = 16;
    const int elements = static_cast<int>(state.range(0));
    EntryLabels labels;
    for (int k = 0; k < kFewEntries; ++k)
        labels.AppendBare();
    EditorFixture fixture;
    CEditorDlg& dlg = fixture.dlg;
    fixture.State().modules.push_back(MakeModule(kFewEntries, labels, elements));
    fixture.State().ModulesChanged();
    fixture.AdoptRom(std::size_t{fixture.State().modules[0]->m_nEntryLength} * kFewEntries);
    fixture.BuildForm();
    FlushUntilPainted();
    int entry = 0;
    for (auto _ : state) {
        entry = (entry + 1) % kFewEntries;
        EditorDlgProbe(dlg).EntryCombo()->SetCurSel(entry);
        dlg.OnEntrySelChange();
        FlushEvents();
    }
    fixture.DestroyForm();
}
BENCHMARK(BM_FormSwitchScaled)->Arg(200)->Arg(1000)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
