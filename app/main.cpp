// Quillmoor's entry. The program itself is theApp; this file only answers the
// options that print and end (before the toolkit, so they need no display),
// warns of the flags it skips and adds the first-paint stamp that
// bench/startup.py times start-up with.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include "app/CEditorApp.h"
#include "app/StartupOptions.h"
#include "platform/windows/CWnd.h"

CEditorApp theApp;

namespace {

// With QUILL_FIRST_PAINT_STAMP set, prints the wall clock (nanoseconds since
// the epoch) when the first window paints, then closes the program.
class FirstPaintStamp : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_done || event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
        m_done = true;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                std::chrono::system_clock::now().time_since_epoch());
        std::printf("first-paint %lld\n", static_cast<long long>(ns.count()));
        std::fflush(stdout);
        QTimer::singleShot(0, [] {
            if (theApp.m_pMainWnd != nullptr) theApp.m_pMainWnd->SendMessage(WM_COMMAND, IDCANCEL, 0);
        });
        return false;
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char** argv) {
    const StartupOptions options = StartupOptions::Parse(std::vector<std::string>(argv + 1, argv + argc));
    if (options.action != StartupOptions::Action::Run) {
        std::FILE* out = options.ExitCode() == 0 ? stdout : stderr;
        std::fputs(options.Output().c_str(), out);
        return std::fflush(out) == 0 ? options.ExitCode() : 1;
    }
    std::fputs(options.Warnings().c_str(), stderr);
    if (std::getenv("QUILL_FIRST_PAINT_STAMP") == nullptr) return AfxWinMain(argc, argv);
    // AfxWinMain adopts an existing toolkit application, so the stamp can
    // watch from the very first event.
    QApplication toolkit(argc, argv);
    FirstPaintStamp stamp;
    toolkit.installEventFilter(&stamp);
    return AfxWinMain(argc, argv);
}
