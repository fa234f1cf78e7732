// The yardstick for the entry selector: a bare toolkit combo box given the
// same 100,000 strings in one call, with no layer in between. Also the
// benchmark program's main, which needs a toolkit application.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QStringList>

#include "FormBenchData.h"

namespace {

void BM_BareComboFill(benchmark::State& state) {
    QStringList texts;
    const EntryLabels& labels = FormBenchEntryLabels();
    for (std::size_t i = 0; i < labels.size(); ++i)
        texts.append(QString::fromUtf8(labels[i].data(), static_cast<qsizetype>(labels[i].size())));
    QWidget window;
    QComboBox combo(&window);
    window.show();
    for (auto _ : state) {
        combo.addItems(texts);
        state.PauseTiming();
        if (combo.count() != texts.size()) state.SkipWithError("combo box not filled");
        combo.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BareComboFill)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
