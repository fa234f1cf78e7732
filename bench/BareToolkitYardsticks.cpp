// The yardsticks for the form benchmarks: the same work done with bare
// toolkit widgets and no layer in between. Also the benchmark program's
// main, which needs a toolkit application, and the event-loop flushes both
// sides time.

#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QStringList>

#include "FormBenchShared.h"

namespace {

using namespace formbench;

class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) ++paints;
        return false;
    }
    int paints = 0;
};

PaintCounter* currentPaintCounter = nullptr;

QStringList EntryTexts() {
    QStringList texts;
    const EntryLabels& labels = SharedEntryLabels();
    for (std::size_t i = 0; i < labels.size(); ++i)
        texts.append(QString::fromUtf8(labels[i].data(), static_cast<qsizetype>(labels[i].size())));
    return texts;
}

std::uint32_t LittleEndian(const std::uint8_t* bytes, std::uint32_t size) {
    std::uint32_t value = 0;
    for (std::uint32_t i = size; i-- > 0;)
        value = value << 8 | bytes[i];
    return value;
}

QString ShowValue(Kind kind, const std::uint8_t* bytes, std::uint32_t size) {
    switch (kind) {
    case Kind::Signed: {
        const std::uint32_t shift = 32 - 8 * size;
        return QString::number(static_cast<std::int32_t>(LittleEndian(bytes, size) << shift) >> shift);
    }
    case Kind::Hex:
        return QString::asprintf("0x%02X", LittleEndian(bytes, size));
    case Kind::HexArray: {
        QString text;
        for (std::uint32_t i = 0; i < size; ++i)
            text += QString::asprintf(i == 0 ? "%02X" : " %02X", bytes[i]);
        return text;
    }
    case Kind::Text: {
        std::uint32_t length = 0;
        while (length < size && bytes[length] != 0)
            ++length;
        return QString::fromLatin1(reinterpret_cast<const char*>(bytes), length);
    }
    case Kind::Number:
    case Kind::Dropbox:
        break;
    }
    return QString::number(LittleEndian(bytes, size));
}

int DropboxItem(std::uint32_t value) {
    int item = -1;
    for (std::uint32_t v = 0; v < kDropboxValues; ++v)
        if (DropboxValue(v) == value) item = static_cast<int>(v);
    return item;
}

// The least the toolkit does to show the same form: a window of the
// editor's size, a scrolled area where the editor has its panel, and in it
// the entry selector and one label and one value control per element at
// the editor's row positions.
class BareForm {
public:
    explicit BareForm(const QStringList& entryTexts) : m_entryTexts(entryTexts) {
        m_window.resize(490, 480);
        m_area = new QScrollArea(&m_window);
        m_area->setGeometry(12, 40, 469, 430);
        m_window.show();
    }

    void Build() {
        auto* content = new QWidget;
        // The editor's form face: Times New Roman at 10 points, which is
        // Liberation Serif at 13 pixels here.
        QFont face(QStringLiteral("Liberation Serif"));
        face.setPixelSize(13);
        content->setFont(face);
        content->resize(445, 30 * kElements + 45);
        m_selector = new QComboBox(content);
        m_selector->setGeometry(10, 10, 433, 22);
        m_selector->addItems(m_entryTexts);
        m_values.clear();
        for (int i = 0; i < kElements; ++i) {
            const int baseline = 65 + 30 * i;
            auto* label = new QLabel(QStringLiteral("Element %1").arg(i), content);
            label->setGeometry(10, baseline - 20, 189, 25);
            if (ShapeOf(i).kind == Kind::Dropbox) {
                auto* combo = new QComboBox(content);
                for (std::uint32_t v = 0; v < kDropboxValues; ++v)
                    combo->addItem(QString::number(DropboxValue(v)) + " - " +
                                   QString::fromStdString(DropboxName(v)));
                combo->setGeometry(200, baseline - 25, 243, 25);
                m_values.push_back(combo);
            } else {
                auto* edit = new QLineEdit(content);
                edit->setGeometry(340, baseline - 25, 103, 25);
                m_values.push_back(edit);
            }
        }
        m_area->setWidget(content);
    }

    void Destroy() {
        delete m_area->takeWidget();
        m_values.clear();
        m_selector = nullptr;
    }

    void Show(int entry, const std::uint8_t* rom) {
        m_selector->setCurrentIndex(entry);
        const std::uint8_t* bytes = rom + static_cast<std::size_t>(entry) * EntryLength();
        for (int i = 0; i < kElements; ++i) {
            const Shape shape = ShapeOf(i);
            const std::uint8_t* at = bytes + OffsetOf(i);
            QWidget* value = m_values[static_cast<std::size_t>(i)];
            if (shape.kind == Kind::Dropbox)
                static_cast<QComboBox*>(value)->setCurrentIndex(DropboxItem(LittleEndian(at, shape.size)));
            else
                static_cast<QLineEdit*>(value)->setText(ShowValue(shape.kind, at, shape.size));
        }
    }

    int CurrentEntry() const { return m_selector != nullptr ? m_selector->currentIndex() : -1; }

private:
    const QStringList& m_entryTexts;
    QWidget m_window;
    QScrollArea* m_area = nullptr;
    QComboBox* m_selector = nullptr;
    std::vector<QWidget*> m_values;
};

void BM_BareComboFill(benchmark::State& state) {
    const QStringList texts = EntryTexts();
    QWidget window;
    QComboBox combo(&window);
    window.show();
    FlushUntilPainted();
    // One untimed fill, so every timed one meets the same warm heap.
    combo.addItems(texts);
    combo.clear();
    FlushEvents();
    for (auto _ : state) {
        combo.addItems(texts);
        FlushEvents();
        state.PauseTiming();
        if (combo.count() != texts.size()) state.SkipWithError("combo box not filled");
        combo.clear();
        FlushEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BareComboFill)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_BareFormBuildAndDestroy(benchmark::State& state) {
    const QStringList texts = EntryTexts();
    BareForm form(texts);
    FlushUntilPainted();
    // One untimed pass, so every timed one meets the same warm heap.
    form.Build();
    FlushUntilPainted();
    form.Destroy();
    FlushEvents();
    for (auto _ : state) {
        form.Build();
        if (FlushUntilPainted() == 0) state.SkipWithError("the form never painted");
        form.Destroy();
        FlushEvents();
    }
}
BENCHMARK(BM_BareFormBuildAndDestroy)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_BareFormSwitchEntry(benchmark::State& state) {
    const QStringList texts = EntryTexts();
    const std::size_t length = std::size_t{EntryLength()} * kEntries;
    const auto rom = std::make_unique<std::uint8_t[]>(length);
    FillRom(rom.get(), length);
    BareForm form(texts);
    form.Build();
    FlushUntilPainted();
    int entry = 0;
    for (auto _ : state) {
        entry = (entry + 4999) % kEntries;
        form.Show(entry, rom.get());
        if (FlushUntilPainted() == 0) state.SkipWithError("the switch never painted");
    }
    if (form.CurrentEntry() != entry) state.SkipWithError("the entry was not selected");
    form.Destroy();
}
BENCHMARK(BM_BareFormSwitchEntry)->Unit(benchmark::kMillisecond)->Iterations(300);

} // namespace

namespace formbench {

void FlushEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int FlushUntilPainted() {
    const int before = currentPaintCounter->paints;
    QElapsedTimer clock;
    clock.start();
    // Events posted while a round delivers wait for the next round (a
    // layout request posts the repaint it causes), so go round until one
    // adds no paint after something has painted.
    while (clock.elapsed() < 1000) {
        const int roundStart = currentPaintCounter->paints;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (currentPaintCounter->paints != before && currentPaintCounter->paints == roundStart) break;
    }
    return currentPaintCounter->paints - before;
}

} // namespace formbench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PaintCounter counter;
    currentPaintCounter = &counter;
    app.installEventFilter(&counter);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    app.removeEventFilter(&counter);
    currentPaintCounter = nullptr;
    return 0;
}
