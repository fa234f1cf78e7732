#include "TestInput.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QPixmap>
#include <QTableView>
#include <QTest>
#include <QWindow>

#include "platform/win32/WinConstants.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CWnd.h"
#include "platform/windows/NativeIcon.h"
#include "platform/windows/NativeMenu.h"
#include "platform/windows/NativeWindow.h"

// The window system's entry for wheel turns (exported by Qt GUI, its header
// is not shipped): the one way to deliver a turn that the toolkit routes and
// propagates as it does the mouse's own.
class QWindowSystemInterface {
public:
    static bool handleWheelEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                 QPoint pixelDelta, QPoint angleDelta, Qt::KeyboardModifiers mods,
                                 Qt::ScrollPhase phase, Qt::MouseEventSource source);
};

namespace {

QWidget* WidgetOf(CWnd& window) {
    HWND hwnd = window.GetSafeHwnd();
    return NativeWindow::IsLive(hwnd) ? hwnd->Widget() : nullptr;
}

// The focused widget inside the window, else the window itself.
QWidget* KeyTarget(CWnd& window) {
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr) return nullptr;
    QWidget* focus = widget->window()->focusWidget();
    if (focus != nullptr && (focus == widget || widget->isAncestorOf(focus))) return focus;
    return widget;
}

Qt::Key QtKey(WORD vk) {
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

Qt::KeyboardModifiers QtModifiers(BYTE modifiers) {
    Qt::KeyboardModifiers out;
    if (modifiers & FCONTROL) out |= Qt::ControlModifier;
    if (modifiers & FSHIFT) out |= Qt::ShiftModifier;
    if (modifiers & FALT) out |= Qt::AltModifier;
    return out;
}

} // namespace

void TestInput::KeyClick(CWnd& window, WORD vk, BYTE modifiers) {
    if (QWidget* target = KeyTarget(window)) QTest::keyClick(target, QtKey(vk), QtModifiers(modifiers));
}

void TestInput::TypeText(CWnd& window, const std::string& text) {
    QWidget* target = KeyTarget(window);
    if (target == nullptr) return;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const QString typed(QChar(static_cast<char16_t>(byte)));
        const Qt::Key key = (byte >= 0x20 && byte < 0x7F)
                                    ? static_cast<Qt::Key>(QChar(byte).toUpper().unicode())
                                    : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, target, key, typed, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, key, typed, Qt::NoModifier);
    }
}

void TestInput::TypeUtf8(CWnd& window, const std::string& utf8) {
    QWidget* target = KeyTarget(window);
    if (target == nullptr) return;
    for (QChar c : QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))) {
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void TestInput::ChooseComboItem(CComboBox& combo, int index) {
    auto* box = qobject_cast<QComboBox*>(WidgetOf(combo));
    if (box == nullptr || index < 0 || index >= box->count()) return;
    // The press on the closed box gives it the focus before the list opens.
    box->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
    box->showPopup();
    QAbstractItemView* view = box->view();
    const QRect rect = view->visualRect(view->model()->index(index, box->modelColumn()));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QCoreApplication::processEvents();
}

void TestInput::ClickMenuItem(CWnd& window, UINT id) {
    HWND hwnd = window.GetSafeHwnd();
    if (!NativeWindow::IsLive(hwnd) || hwnd->Menu() == nullptr) return;
    // What QMenu does for a click on an item: a grayed one does nothing.
    if (QAction* action = hwnd->Menu()->Find(id, MF_BYCOMMAND); action != nullptr && action->isEnabled())
        action->trigger();
}

void TestInput::ClickCloseBox(CWnd& window) {
    if (QWidget* widget = WidgetOf(window)) widget->window()->close();
}

void TestInput::Click(CWnd& window) {
    if (QWidget* widget = WidgetOf(window))
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void TestInput::Wheel(CWnd& window, int notches) {
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr || widget->window()->windowHandle() == nullptr) return;
    const QPoint centre = widget->rect().center();
    const QPointF local = widget->mapTo(widget->window(), centre);
    const QPointF global = widget->mapToGlobal(centre);
    // One notch is 120 eighths of a degree, as every mouse wheel reports.
    QWindowSystemInterface::handleWheelEvent(widget->window()->windowHandle(), local, global, QPoint(),
                                             QPoint(0, 120 * notches), Qt::NoModifier, Qt::NoScrollPhase,
                                             Qt::MouseEventNotSynthesized);
    QCoreApplication::processEvents();
}

void TestInput::ProcessEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestInput::Focus(CWnd& window) {
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr) return;
    QApplication::setActiveWindow(widget->window());
    widget->setFocus(Qt::MouseFocusReason);
    ProcessEvents();
}

BitmapImage TestInput::Grab(CWnd& window) {
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr) return {};
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        pixels.insert(pixels.end(), line, line + image.width());
    }
    return BitmapImage(image.width(), image.height(), std::move(pixels));
}

bool TestInput::SaveScreenshot(CWnd& window, const std::string& path) {
    QWidget* widget = WidgetOf(window);
    return widget != nullptr && widget->grab().save(QString::fromStdString(path));
}
