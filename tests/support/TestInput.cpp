#include "TestInput.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QWindow>

#include "WindowSystemInput.h"
#include "platform/win32/WinConstants.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CWnd.h"
#include "platform/windows/NativeIcon.h"
#include "platform/windows/NativeMenu.h"
#include "platform/windows/NativeWindow.h"

namespace {

QWidget* WidgetOf(CWnd& window) {
    HWND hwnd = window.GetSafeHwnd();
    return NativeWindow::IsLive(hwnd) ? hwnd->Widget() : nullptr;
}

// The window the window system delivers the widget's input to; null while
// it has none (never shown), so the input goes nowhere, as a user's would.
QWindow* WindowOf(QWidget* widget) {
    return widget != nullptr ? widget->window()->windowHandle() : nullptr;
}

// Keys go to the focused widget of the window they are typed into. A key
// meant for a control that does not have the focus is typed after giving
// it the focus, as a click on it would.
QWindow* KeyWindow(CWnd& window) {
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr) return nullptr;
    QWidget* focus = widget->window()->focusWidget();
    const bool inside = focus != nullptr && (focus == widget || widget->isAncestorOf(focus));
    // Keys reach the active window only: it becomes active first, so its
    // focus arrives before the key does.
    WindowSystemInput::Activate(widget);
    if (!inside && !widget->isWindow()) widget->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
    return WindowOf(widget);
}

} // namespace

void TestInput::KeyClick(CWnd& window, WORD vk, BYTE modifiers) {
    if (QWindow* target = KeyWindow(window))
        QTest::keyClick(target, static_cast<Qt::Key>(WindowSystemInput::KeyOf(vk)),
                        Qt::KeyboardModifiers(WindowSystemInput::ModifiersOf(modifiers)));
}

void TestInput::TypeText(CWnd& window, const std::string& text) {
    QWindow* target = KeyWindow(window);
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
    QWindow* target = KeyWindow(window);
    if (target == nullptr) return;
    for (QChar c : QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))) {
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void TestInput::ChooseComboItem(CComboBox& combo, int index) {
    auto* box = qobject_cast<QComboBox*>(WidgetOf(combo));
    if (box == nullptr || index < 0 || index >= box->count()) return;
    // The press on the closed box gives it the focus and opens the list.
    WindowSystemInput::Click(box);
    QAbstractItemView* view = box->view();
    if (!view->isVisible()) return;
    const QRect rect = view->visualRect(view->model()->index(index, box->modelColumn()));
    view->scrollTo(view->model()->index(index, box->modelColumn()));
    WindowSystemInput::Hover(view->viewport(), rect.center());
    WindowSystemInput::Click(view->viewport(),
                             view->visualRect(view->model()->index(index, box->modelColumn())).center());
    QCoreApplication::processEvents();
}

namespace {

// The path of menus from the bar down to the action.
bool PathTo(QWidget* menu, QAction* target, std::vector<QAction*>& path) {
    for (QAction* action : menu->actions()) {
        path.push_back(action);
        if (action == target || (action->menu() != nullptr && PathTo(action->menu(), target, path)))
            return true;
        path.pop_back();
    }
    return false;
}

} // namespace

void TestInput::ClickMenuItem(CWnd& window, UINT id) {
    HWND hwnd = window.GetSafeHwnd();
    if (!NativeWindow::IsLive(hwnd) || hwnd->Menu() == nullptr) return;
    QMenuBar* bar = hwnd->Menu()->Bar();
    QAction* item = hwnd->Menu()->Find(id, MF_BYCOMMAND);
    std::vector<QAction*> path;
    if (bar == nullptr || item == nullptr || !PathTo(bar, item, path)) return;
    // The bar's title opens its menu; each further step is a click in the
    // menu that is open, which opens a sub-menu or chooses the item (a
    // grayed one does nothing and closes the menus).
    WindowSystemInput::Click(bar, bar->actionGeometry(path.front()).center());
    QWidget* open = path.front()->menu();
    for (std::size_t i = 1; i < path.size() && open != nullptr; ++i) {
        auto* menu = qobject_cast<QMenu*>(open);
        if (menu == nullptr || !QTest::qWaitFor([menu] { return menu->isVisible(); }, 1000)) break;
        const QPoint centre = menu->actionGeometry(path[i]).center();
        // The command may take its own item away.
        const QPointer<QAction> step = path[i];
        WindowSystemInput::Hover(menu, centre);
        WindowSystemInput::Click(menu, centre);
        open = step != nullptr ? step->menu() : nullptr;
    }
    // A menu left open by a path that broke off must not catch the next
    // test's clicks.
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    QCoreApplication::processEvents();
}

void TestInput::ClickCloseBox(CWnd& window) {
    WindowSystemInput::Close(WidgetOf(window));
}

void TestInput::LeaveProgram() {
    WindowSystemInput::LeaveProgram();
}

bool TestInput::DropFiles(CWnd& window, const std::vector<std::string>& paths) {
    QStringList list;
    for (const std::string& path : paths)
        list.append(QString::fromStdString(path));
    return WindowSystemInput::DropFiles(WidgetOf(window), list);
}

void TestInput::Activate(CWnd& window) {
    WindowSystemInput::Activate(WidgetOf(window));
}

void TestInput::Click(CWnd& window) {
    if (QWidget* widget = WidgetOf(window)) WindowSystemInput::Click(widget);
}

void TestInput::Wheel(CWnd& window, int notches) {
    if (QWidget* widget = WidgetOf(window)) WindowSystemInput::Wheel(widget, notches);
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
