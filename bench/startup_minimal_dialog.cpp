// The yardstick for Quillmoor's start-up time: the least a Qt Widgets program
// does to show a dialog of the same kind, a menu bar over a drop-down list.
// The menu bar belongs in it: building one costs Qt about half again a bare
// dialog's start (its style loads the image plugins for the overflow arrow),
// a cost any program with a menu pays. With QUILL_FIRST_PAINT_STAMP set it prints the wall
// clock (nanoseconds since the epoch) at its first paint and quits, exactly as
// quillmoor does, so bench/startup.py can time both the same way.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QMenuBar>

namespace {

class FirstPaintStamp : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType()) {
            m_done = true;
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                    std::chrono::system_clock::now().time_since_epoch());
            std::printf("first-paint %lld\n", static_cast<long long>(ns.count()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
        return false;
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FirstPaintStamp stamp;
    if (std::getenv("QUILL_FIRST_PAINT_STAMP") != nullptr) app.installEventFilter(&stamp);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Minimal dialog"));
    dialog.resize(490, 480);
    auto* menuBar = new QMenuBar(&dialog);
    menuBar->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    menuBar->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));
    auto* combo = new QComboBox(&dialog);
    combo->setGeometry(10, 30, 470, 22);
    dialog.exec();
    return 0;
}
