// The yardsticks for the table benchmarks (TableBenchmark.cpp): a bare
// QTableView over a model that returns one fixed string for every cell, with
// the table window's row height and without row numbers, so a page holds as
// many cells; and a bare loop that formats every cell with the show rules and
// searches it.

#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <numeric>
#include <span>
#include <string>
#include <string_view>

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include "CPeakMemory.h"
#include "FormBenchShared.h"
#include "TableBenchShared.h"
#include "document/ElementDisplay.h"
#include "table/CTableModule.h"

namespace {

using formbench::FlushEvents;
using formbench::FlushUntilPainted;

class FixedModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : tablebench::kEntries;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : tablebench::kElements + 1;
    }
    QVariant data(const QModelIndex&, int role) const override {
        return role == Qt::DisplayRole ? QVariant(m_text) : QVariant();
    }

private:
    QString m_text = QStringLiteral("12345");
};

std::unique_ptr<QTableView> OpenBareView(FixedModel& model) {
    auto view = std::make_unique<QTableView>();
    // The table window's geometry, so a page shows as many cells: its row
    // height, and no row-number column. Set before the model comes, as the
    // window does: set after, every one of the million rows is resized.
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->verticalHeader()->hide();
    view->setModel(&model);
    view->resize(720, 480);
    view->show();
    return view;
}

void BM_BareTableOpen(benchmark::State& state) {
    FixedModel model;
    for (auto _ : state) {
        auto view = OpenBareView(model);
        if (FlushUntilPainted() == 0) state.SkipWithError("the view never painted");
        state.PauseTiming();
        view.reset();
        FlushEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BareTableOpen)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_BareTableScrollPage(benchmark::State& state) {
    FixedModel model;
    auto view = OpenBareView(model);
    FlushUntilPainted();
    QScrollBar* bar = view->verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() + bar->pageStep());
        if (FlushUntilPainted() == 0) state.SkipWithError("the scroll never painted");
    }
}
BENCHMARK(BM_BareTableScrollPage)->Unit(benchmark::kMillisecond)->Iterations(300);

bool ContainsIgnoringCase(std::string_view text, std::string_view needle) {
    return std::search(text.begin(), text.end(), needle.begin(), needle.end(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           }) != text.end();
}

void BM_BareFilterLoop(benchmark::State& state) {
    const auto module = tablebench::MakeTableModule();
    const std::vector<std::uint8_t> image = tablebench::MakeImage();
    const std::uint32_t length = tablebench::EntryLength();
    for (auto _ : state) {
        int kept = 0;
        for (int entry = 0; entry < tablebench::kEntries; ++entry) {
            const std::span<const std::uint8_t> bytes(
                    image.data() + std::size_t{length} * static_cast<std::size_t>(entry), length);
            bool match = ContainsIgnoringCase(module->m_entryNames[static_cast<std::size_t>(entry)],
                                              tablebench::kNeedle);
            for (int e = 0; e < tablebench::kElements; ++e)
                match = ContainsIgnoringCase(ElementDisplay::Show(*module, e, bytes), tablebench::kNeedle) ||
                        match;
            kept += match ? 1 : 0;
        }
        benchmark::DoNotOptimize(kept);
        if (kept != 0) state.SkipWithError("the needle was found");
    }
}
BENCHMARK(BM_BareFilterLoop)->Unit(benchmark::kMillisecond)->Iterations(1);

// The least a sort by the first element can do: its values decoded
// beforehand, row indices stable-sorted by them.
void BM_BareSortKeys(benchmark::State& state) {
    const std::vector<std::uint8_t> image = tablebench::MakeImage();
    const std::size_t length = tablebench::EntryLength();
    std::vector<std::int64_t> keys(tablebench::kEntries);
    for (std::size_t entry = 0; entry < keys.size(); ++entry)
        keys[entry] = image[entry * length] | image[entry * length + 1] << 8;
    for (auto _ : state) {
        std::vector<int> rows(keys.size());
        std::iota(rows.begin(), rows.end(), 0);
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
            return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
        });
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_BareSortKeys)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_BareTableMemory(benchmark::State& state) {
    const CPeakMemory memory;
    if (!memory.IsValid()) state.SkipWithError("cannot reset the peak resident size (/proc/self/clear_refs)");
    FixedModel model;
    for (auto _ : state) {
        auto view = OpenBareView(model);
        FlushUntilPainted();
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->pageStep());
        FlushUntilPainted();
    }
    state.counters["rss_growth_MiB"] = memory.GrowthMiB();
}
BENCHMARK(BM_BareTableMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
