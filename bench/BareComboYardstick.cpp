// The yardsticks: for the entry selector, a bare toolkit combo box given the
// same 100,000 strings in one call, with no layer in between; for switching
// entries, a bare toolkit form of the editor's 200 rows at the editor's
// places, each given a new value and the event loop flushed. Also the
// benchmark program's main, which needs a toolkit application.

#include <benchmark/benchmark.h>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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

void BM_BareFormSetText(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    QWidget window;
    window.resize(493, 482);
    QWidget panel(&window);
    panel.setGeometry(15, 43, 449, 424);
    QComboBox selector(&panel);
    selector.setGeometry(10, 10, 433, selector.sizeHint().height());
    // Every sixth row a drop-down, as in the editor's benchmark module.
    std::vector<QLineEdit*> edits;
    std::vector<QComboBox*> combos;
    for (int i = 0; i < rows; ++i) {
        const int baseline = 65 + 30 * i;
        auto* label = new QLabel(QStringLiteral("Element %1").arg(i), &panel);
        label->setGeometry(10, baseline - 20, 189, 25);
        if (i % 6 == 5) {
            auto* combo = new QComboBox(&panel);
            for (int v = 0; v < 16; ++v)
                combo->addItem(QStringLiteral("0x%1 - Value %2").arg(v * 3, 2, 16, QLatin1Char('0')).arg(v));
            combo->setGeometry(200, baseline - 25, 243, combo->sizeHint().height());
            combos.push_back(combo);
        } else {
            auto* edit = new QLineEdit(&panel);
            edit->setGeometry(340, baseline - 25, 103, 25);
            edits.push_back(edit);
        }
    }
    window.show();
    FlushEvents();
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (std::size_t i = 0; i < edits.size(); ++i)
            edits[i]->setText(QString::number(round * 7919 + static_cast<int>(i)));
        for (QComboBox* combo : combos)
            combo->setCurrentIndex(round % 16);
        FlushEvents();
    }
}
BENCHMARK(BM_BareFormSetText)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace

void FlushEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
