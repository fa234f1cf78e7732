// Speed and memory of the table window on a million entries of 64 elements.
// Each benchmark has a yardstick in TableYardsticks.cpp: a bare QTableView
// over a model that returns one fixed string for every cell, or a bare loop
// that formats every cell with the show rules and searches it. bench/run.py
// runs each side in a process of its own and prints the ratios:
//
//   bench/run.py --build build/rel table-open table-scroll table-filter table-memory
//   bench/run.py --build build/rel table-filter-stall table-filter-first table-sort

#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include "CPeakMemory.h"
#include "EditorDlgProbe.h"
#include "FormBenchShared.h"
#include "TableBenchShared.h"
#include "platform/store/RegistryStore.h"
#include "platform/windows/SideWindows.h"
#include "ui/CEditorDlg.h"
#include "ui/model/EditorState.h"
#include "ui/model/TableWindow.h"

namespace {

using formbench::FlushEvents;
using formbench::FlushUntilPainted;

// The editor's dialog with the big module current on an open image, as
// Open Rom and the module list leave it; a table window of its own opened
// on demand, as View > Table opens the dialog's.
struct TableFixture {
    TableFixture() {
        RegistryStore::SetFolder("/nonexistent/quill-bench-registry");
        dlg.Create();
        FlushUntilPainted();
        State().document.Adopt(tablebench::MakeImage(), "bench.rom");
        State().modules.push_back(tablebench::MakeTableModule());
        State().ModulesChanged();
        State().SelectModule(0);
        FlushEvents();
    }
    EditorState& State() { return EditorDlgProbe(dlg).State(); }
    void Open() {
        window = std::make_unique<TableWindow>(
                State(), [this](TableWindowModel& model) { return MakeTableWindow(model, dlg, {}); });
        window->Open();
    }
    void Close() {
        window.reset();
        FlushEvents();
    }
    template <class Widget>
    Widget* Find(const char* name) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "TableWindow")
                if (auto* found = top->findChild<Widget*>(name)) return found;
        return nullptr;
    }
    QTableView* Grid() { return Find<QTableView>("TableGrid"); }
    // As typing it: the window hears of the user's edits only, which
    // setText alone is not.
    void SetFilter(const char* text) {
        QLineEdit* box = Find<QLineEdit>("FilterBox");
        box->setText(QString::fromLatin1(text));
        emit box->textEdited(box->text());
    }
    // Runs the event loop until the filter has searched every row and the
    // result has painted.
    void FinishFilter() {
        while (window->Filtering())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        FlushUntilPainted();
    }
    bool ShowsEveryEntry() {
        return Grid() != nullptr && Grid()->model()->rowCount() == tablebench::kEntries;
    }
    int RowsPerPage() {
        const int height = Grid()->verticalHeader()->defaultSectionSize();
        return height > 0 ? Grid()->viewport()->height() / height : 0;
    }
    // The view scrolls by whole rows, so the bar counts rows.
    void Scroll(int rows) {
        Grid()->verticalScrollBar()->setValue(Grid()->verticalScrollBar()->value() + rows);
    }

    CEditorDlg dlg;
    std::unique_ptr<TableWindow> window;
};

// View > Table until the window has painted; the window is destroyed after
// each pass, so every pass builds it from nothing.
void BM_TableOpen(benchmark::State& state) {
    TableFixture fixture;
    for (auto _ : state) {
        fixture.Open();
        if (FlushUntilPainted() == 0) state.SkipWithError("the table never painted");
        state.PauseTiming();
        if (!fixture.ShowsEveryEntry()) state.SkipWithError("not every entry is a row");
        fixture.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TableOpen)->Unit(benchmark::kMillisecond)->Iterations(10);

// The open table scrolled a page a pass, until repainted.
void ScrollPages(benchmark::State& state, TableFixture& fixture) {
    fixture.Open();
    FlushUntilPainted();
    const int page = fixture.RowsPerPage();
    if (page <= 0) state.SkipWithError("no row fits the window");
    for (auto _ : state) {
        fixture.Scroll(page);
        if (FlushUntilPainted() == 0) state.SkipWithError("the scroll never painted");
    }
}

void BM_TableScrollPage(benchmark::State& state) {
    TableFixture fixture;
    ScrollPages(state, fixture);
}
BENCHMARK(BM_TableScrollPage)->Unit(benchmark::kMillisecond)->Iterations(300);

// The same scroll compared with an original that differs in one entry of a
// hundred: every visible cell asks whether it changed, and those that did
// paint tinted.
void BM_TableScrollPageCompared(benchmark::State& state) {
    TableFixture fixture;
    std::vector<std::uint8_t> original(fixture.State().document.Data(),
                                       fixture.State().document.Data() + fixture.State().document.Length());
    for (std::size_t at = 0; at < original.size(); at += 100 * std::size_t{tablebench::EntryLength()})
        original[at] ^= 0x5A;
    fixture.State().SetOriginal(std::move(original), "original.rom");
    ScrollPages(state, fixture);
}
BENCHMARK(BM_TableScrollPageCompared)->Unit(benchmark::kMillisecond)->Iterations(300);

// A filter text that no cell holds, typed at once: every cell of every entry
// is formatted and searched, then the emptied table paints.
void BM_TableFilterAll(benchmark::State& state) {
    TableFixture fixture;
    fixture.Open();
    FlushUntilPainted();
    for (auto _ : state) {
        fixture.SetFilter(tablebench::kNeedle);
        fixture.FinishFilter();
        state.PauseTiming();
        const bool kept = fixture.Grid()->model()->rowCount() != 0;
        fixture.SetFilter("");
        fixture.FinishFilter();
        state.ResumeTiming();
        // Skipped with the timer running: a paused one may not be resumed after.
        if (kept) {
            state.SkipWithError("the filter kept rows");
            break;
        }
    }
}
BENCHMARK(BM_TableFilterAll)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same filter, with a zero-interval timer on the window's event loop:
// stall_ms is the longest the loop went without a turn, the typing included,
// from the keystroke until the emptied table painted.
void BM_TableFilterStall(benchmark::State& state) {
    TableFixture fixture;
    fixture.Open();
    FlushUntilPainted();
    double longest = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        qint64 last = 0;
        QTimer turn;
        turn.setInterval(0);
        QObject::connect(&turn, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, static_cast<double>(now - last) / 1e6);
            last = now;
        });
        turn.start();
        clock.start();
        fixture.SetFilter(tablebench::kNeedle);
        fixture.FinishFilter();
        turn.stop();
        longest = std::max(longest, static_cast<double>(clock.nsecsElapsed() - last) / 1e6);
        state.PauseTiming();
        const bool kept = fixture.Grid()->model()->rowCount() != 0;
        fixture.SetFilter("");
        fixture.FinishFilter();
        state.ResumeTiming();
        if (kept) {
            state.SkipWithError("the filter kept rows");
            break;
        }
    }
    state.counters["stall_ms"] = longest;
}
BENCHMARK(BM_TableFilterStall)->Unit(benchmark::kMillisecond)->Iterations(1);

// From the keystroke until a page of matching rows has painted, with a text
// that the first rows' labels hold but most rows do not: "Creature 1" is in
// one label of nine, so the filter still searches every cell of most rows.
void BM_TableFilterFirstPage(benchmark::State& state) {
    TableFixture fixture;
    fixture.Open();
    FlushUntilPainted();
    const int page = fixture.RowsPerPage();
    if (page <= 0) state.SkipWithError("no row fits the window");
    for (auto _ : state) {
        fixture.SetFilter("Creature 1");
        QElapsedTimer waited;
        waited.start();
        while (fixture.Grid()->model()->rowCount() < page && waited.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
        FlushUntilPainted();
        state.PauseTiming();
        fixture.FinishFilter();
        fixture.SetFilter("");
        fixture.FinishFilter();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TableFilterFirstPage)->Unit(benchmark::kMillisecond)->Iterations(1);

// A click on the header of the first element, a two-byte number, until the
// sorted table painted; a fresh window each pass, so every pass sorts the
// entries from their own order.
void BM_TableSortNumber(benchmark::State& state) {
    TableFixture fixture;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.Open();
        FlushUntilPainted();
        state.ResumeTiming();
        fixture.window->OnHeaderClicked(1);
        FlushUntilPainted();
        state.PauseTiming();
        const QAbstractItemModel* cells = fixture.Grid()->model();
        const bool sorted =
                cells->data(cells->index(0, 1)).toInt() <= cells->data(cells->index(1, 1)).toInt() &&
                fixture.window->SortColumn() == 1;
        fixture.Close();
        state.ResumeTiming();
        if (!sorted) {
            state.SkipWithError("the rows are not sorted");
            break;
        }
    }
}
BENCHMARK(BM_TableSortNumber)->Unit(benchmark::kMillisecond)->Iterations(1);

// How far the table raises the resident size over the image and the module:
// opened, filtered, sorted by a column and scrolled.
void BM_TableMemory(benchmark::State& state) {
    TableFixture fixture;
    const CPeakMemory memory;
    if (!memory.IsValid()) state.SkipWithError("cannot reset the peak resident size (/proc/self/clear_refs)");
    for (auto _ : state) {
        fixture.Open();
        FlushUntilPainted();
        fixture.SetFilter(tablebench::kNeedle);
        fixture.SetFilter("");
        fixture.window->OnHeaderClicked(1);
        fixture.Scroll(fixture.RowsPerPage());
        FlushUntilPainted();
        if (!fixture.ShowsEveryEntry()) state.SkipWithError("not every entry is a row");
    }
    state.counters["rss_growth_MiB"] = memory.GrowthMiB();
    state.counters["image_MiB"] = static_cast<double>(fixture.State().document.Length()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_TableMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
