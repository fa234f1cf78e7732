#include "platform/windows/AppKeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include "platform/win32/WinConstants.h"
#include "platform/windows/CWinApp.h"
#include "platform/windows/CWnd.h"
#include "platform/windows/KeyMessage.h"
#include "platform/windows/NativeWindow.h"

namespace {
QPointer<AppKeyFilter>& Installed() {
    static QPointer<AppKeyFilter> filter;
    return filter;
}

} // namespace

void AppKeyFilter::Install() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || !Installed().isNull()) return;
    Installed() = new AppKeyFilter(app);
    app->installEventFilter(Installed());
}

bool AppKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const bool probe = event->type() == QEvent::ShortcutOverride;
    if ((!probe && event->type() != QEvent::KeyPress) || !watched->isWidgetType()) return false;
    CWinApp* app = AfxGetApp();
    NativeWindow* native = NativeWindow::Enclosing(watched);
    if (app == nullptr || native == nullptr) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const WORD vk = KeyMessage::VirtualKey(key->key());
    if (vk == 0) return false;
    // Keys of another top-level window (a dialog over the main window, even
    // one it owns, or an open menu, which keeps Enter for its items) must
    // not run the main window's commands.
    CWnd* mainWnd = app->m_pMainWnd;
    if (mainWnd != nullptr && ::IsWindow(mainWnd->GetSafeHwnd()) &&
        static_cast<QWidget*>(watched)->window() != mainWnd->GetSafeHwnd()->Widget()->window())
        return false;
    MSG msg;
    msg.hwnd = native;
    msg.message = (key->modifiers() & Qt::AltModifier) ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = vk;
    msg.lParam = key->isAutoRepeat() ? (1 << 30) : 0;
    KeyMessage::Scope scope(key->modifiers(), probe);
    if (!app->ProcessMessageFilter(MSGF_DIALOGBOX, &msg)) return false;
    event->accept();
    return true;
}
