#include "WindowSystemInput.h"

#include <QApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include "platform/win32/WinConstants.h"

// The window system's entries (exported by Qt GUI, their header is not
// shipped): turns and close requests delivered this way are routed, blocked
// by a modal window and propagated as the window system's own are.
class QWindowSystemInterface {
public:
    struct SynchronousDelivery;
    static bool handleWheelEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                 QPoint pixelDelta, QPoint angleDelta, Qt::KeyboardModifiers mods,
                                 Qt::ScrollPhase phase, Qt::MouseEventSource source);
    template <typename Delivery>
    static bool handleCloseEvent(QWindow* window);
};

namespace {

QWindow* WindowOf(QWidget* widget) {
    return widget != nullptr ? widget->window()->windowHandle() : nullptr;
}

// What Qt decides for each input: a window is blocked while a modal one
// runs, unless its transient parents lead to the modal one.
bool Blocked(QWindow* window) {
    QWindow* modal = QGuiApplication::modalWindow();
    if (modal == nullptr) return false;
    for (QWindow* w = window; w != nullptr; w = w->transientParent())
        if (w == modal) return false;
    return true;
}

QPoint InWindow(QWidget* widget, QPoint at) {
    if (at == QPoint(-1, -1)) at = widget->rect().center();
    return widget->mapTo(widget->window(), at);
}

} // namespace

void WindowSystemInput::Activate(QWidget* widget) {
    QWindow* window = WindowOf(widget);
    if (window == nullptr || Blocked(window) || window->type() == Qt::Popup) return;
    if (QApplication::activeWindow() != widget->window()) QApplication::setActiveWindow(widget->window());
    QCoreApplication::processEvents();
}

void WindowSystemInput::Click(QWidget* widget, QPoint at) {
    Activate(widget);
    if (QWindow* window = WindowOf(widget))
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, InWindow(widget, at));
}

void WindowSystemInput::DoubleClick(QWidget* widget, QPoint at) {
    Activate(widget);
    if (QWindow* window = WindowOf(widget))
        QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, InWindow(widget, at));
}

void WindowSystemInput::Hover(QWidget* widget, QPoint at) {
    if (QWindow* window = WindowOf(widget)) QTest::mouseMove(window, InWindow(widget, at));
}

void WindowSystemInput::Key(QWidget* widget, int qtKey, int modifiers) {
    Activate(widget);
    if (QWindow* window = WindowOf(widget))
        QTest::keyClick(window, static_cast<Qt::Key>(qtKey), Qt::KeyboardModifiers(modifiers));
}

void WindowSystemInput::Text(QWidget* widget, const QString& text) {
    Activate(widget);
    QWindow* window = WindowOf(widget);
    if (window == nullptr) return;
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, window, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, window, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void WindowSystemInput::Close(QWidget* widget) {
    if (QWindow* window = WindowOf(widget))
        QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(window);
    QCoreApplication::processEvents();
}

void WindowSystemInput::LeaveProgram() {
    QApplication::setActiveWindow(nullptr);
    QCoreApplication::processEvents();
}

bool WindowSystemInput::DropFiles(QWidget* widget, const QStringList& paths, QPoint at) {
    QWindow* window = WindowOf(widget);
    if (window == nullptr || Blocked(window)) return false;
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    mime.setUrls(urls);
    const QPoint point = InWindow(widget, at);
    QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    if (!enter.isAccepted()) {
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(window, &leave);
        return false;
    }
    QDropEvent drop(QPointF(point), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

void WindowSystemInput::Wheel(QWidget* widget, int notches) {
    QWindow* window = WindowOf(widget);
    if (window == nullptr) return;
    const QPoint centre = widget->rect().center();
    // One notch is 120 eighths of a degree, as every mouse wheel reports.
    QWindowSystemInterface::handleWheelEvent(window, InWindow(widget, centre), widget->mapToGlobal(centre),
                                             QPoint(), QPoint(0, 120 * notches), Qt::NoModifier,
                                             Qt::NoScrollPhase, Qt::MouseEventNotSynthesized);
    QCoreApplication::processEvents();
}

int WindowSystemInput::KeyOf(WORD vk) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<Qt::Key>(Qt::Key_A + (vk - 'A'));
    if (vk >= '0' && vk <= '9') return static_cast<Qt::Key>(Qt::Key_0 + (vk - '0'));
    if (vk >= VK_F1 && vk <= VK_F12) return static_cast<Qt::Key>(Qt::Key_F1 + (vk - VK_F1));
    switch (vk) {
    case VK_RETURN:
        return Qt::Key_Return;
    case VK_ESCAPE:
        return Qt::Key_Escape;
    case VK_TAB:
        return Qt::Key_Tab;
    case VK_BACK:
        return Qt::Key_Backspace;
    case VK_SPACE:
        return Qt::Key_Space;
    case VK_PRIOR:
        return Qt::Key_PageUp;
    case VK_NEXT:
        return Qt::Key_PageDown;
    case VK_END:
        return Qt::Key_End;
    case VK_HOME:
        return Qt::Key_Home;
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_UP:
        return Qt::Key_Up;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_DOWN:
        return Qt::Key_Down;
    case VK_DELETE:
        return Qt::Key_Delete;
    default:
        return Qt::Key_unknown;
    }
}

int WindowSystemInput::ModifiersOf(BYTE modifiers) {
    Qt::KeyboardModifiers out;
    if (modifiers & FCONTROL) out |= Qt::ControlModifier;
    if (modifiers & FSHIFT) out |= Qt::ShiftModifier;
    if (modifiers & FALT) out |= Qt::AltModifier;
    return static_cast<int>(out.toInt());
}
