// Speed and memory of the table window on a million entries of 64 elements.
// Each benchmark has a yardstick in TableYardsticks.cpp: a bare QTableView
// over a model that returns one fixed string for every cell, or a bare loop
// that formats every cell with the show rules and searches it. bench/run.py
// runs each side in a process of its own and prints the ratios:
//
//   bench/run.py --build build/rel table-open table-scroll table-filter table-memory

#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

#include "CPeakMemory.h"
#include "FormBenchShared.h"
#include "TableBenchShared.h"
#include "platform/store/RegistryStore.h"
#include "platform/windows/CTableCtrl.h"
#include "platform/windows/TableProvider.h"
#include "ui/CEditorDlg.h"
#include "ui/model/EditorState.h"
#include "ui/model/TableWindow.h"

namespace {

using formbench::FlushEvents;
using formbench::FlushUntilPainted;

// The editor's dialog with the big module current on an open image, as
// Open Rom and the module list leave it; the table window not yet opened.
struct TableFixture {
    TableFixture() {
        RegistryStore::SetFolder("/nonexistent/quill-bench-registry");
        dlg.Create();
        FlushUntilPainted();
        dlg.State().document.Adopt(tablebench::MakeImage(), "bench.rom");
        dlg.State().modules.push_back(tablebench::MakeTableModule());
        dlg.State().currentModule = 0;
    }
    TableWindow& Window() { return dlg.Table(); }
    CTableCtrl& Table() { return dlg.Table().Table(); }
    bool ShowsEveryEntry() { return Table().GetRowCount() == tablebench::kEntries; }

    CEditorDlg dlg;
};

// View > Table until the window has painted; the window is destroyed after
// each pass, so every pass builds it from nothing.
void BM_TableOpen(benchmark::State& state) {
    TableFixture fixture;
    for (auto _ : state) {
        fixture.dlg.OnViewTable();
        if (FlushUntilPainted() == 0) state.SkipWithError("the table never painted");
        state.PauseTiming();
        if (!fixture.ShowsEveryEntry()) state.SkipWithError("not every entry is a row");
        fixture.Window().DestroyWindow();
        FlushEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TableOpen)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_TableScrollPage(benchmark::State& state) {
    TableFixture fixture;
    fixture.dlg.OnViewTable();
    FlushUntilPainted();
    const int page = fixture.Table().GetCountPerPage();
    if (page <= 0) state.SkipWithError("no row fits the window");
    for (auto _ : state) {
        fixture.Table().Scroll(page);
        if (FlushUntilPainted() == 0) state.SkipWithError("the scroll never painted");
    }
}
BENCHMARK(BM_TableScrollPage)->Unit(benchmark::kMillisecond)->Iterations(300);

// A filter text that no cell holds, typed at once: every cell of every entry
// is formatted and searched, then the emptied table paints.
void BM_TableFilterAll(benchmark::State& state) {
    TableFixture fixture;
    fixture.dlg.OnViewTable();
    FlushUntilPainted();
    for (auto _ : state) {
        fixture.Window().FilterBox().SetWindowText(tablebench::kNeedle);
        FlushUntilPainted();
        state.PauseTiming();
        if (fixture.Table().GetRowCount() != 0) state.SkipWithError("the filter kept rows");
        fixture.Window().FilterBox().SetWindowText("");
        FlushUntilPainted();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TableFilterAll)->Unit(benchmark::kMillisecond)->Iterations(1);

// How far the table raises the resident size over the image and the module:
// opened, filtered, sorted by a column and scrolled.
void BM_TableMemory(benchmark::State& state) {
    TableFixture fixture;
    const CPeakMemory memory;
    if (!memory.IsValid()) state.SkipWithError("cannot reset the peak resident size (/proc/self/clear_refs)");
    for (auto _ : state) {
        fixture.dlg.OnViewTable();
        FlushUntilPainted();
        fixture.Window().FilterBox().SetWindowText(tablebench::kNeedle);
        fixture.Window().FilterBox().SetWindowText("");
        fixture.Window().Provider().OnHeaderClicked(1);
        fixture.Table().Scroll(fixture.Table().GetCountPerPage());
        FlushUntilPainted();
        if (!fixture.ShowsEveryEntry()) state.SkipWithError("not every entry is a row");
    }
    state.counters["rss_growth_MiB"] = memory.GrowthMiB();
    state.counters["image_MiB"] = static_cast<double>(fixture.dlg.Document().Length()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_TableMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
