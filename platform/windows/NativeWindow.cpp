#include "platform/windows/NativeWindow.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include <QApplication>
#include <QTimer>
#include <QVariant>

#include "platform/windows/CWnd.h"
#include "platform/windows/DroppedFiles.h"
#include "platform/windows/NativeFont.h"
#include "platform/windows/NativeIcon.h"
#include "platform/windows/ScrollBarState.h"
#include "platform/windows/WindowText.h"

namespace {

std::unordered_set<const NativeWindow*>& LiveWindows() {
    static std::unordered_set<const NativeWindow*> windows;
    return windows;
}

// The window of each outer widget. A table rather than a dynamic property:
// a property lookup first searches the widget class's own properties by
// name, and a notification from one of thousands of rows asks several times.
std::unordered_map<const QObject*, NativeWindow*>& WidgetWindows() {
    static std::unordered_map<const QObject*, NativeWindow*> windows;
    return windows;
}

} // namespace

NativeWindow::NativeWindow(CWnd* owner, DWORD style, DWORD exStyle, UINT id)
    : m_owner(owner), m_style(style), m_exStyle(exStyle), m_id(id) {
    LiveWindows().insert(this);
}

NativeWindow::~NativeWindow() {
    LiveWindows().erase(this);
    *m_alive = false;
    QWidget* widget = m_widget.data();
    if (widget == nullptr) return;
    QObject::disconnect(m_destroyed);
    // Nothing of this object may be reached from the widget's signals now.
    // The layer connects them with the widget as the context, so only those
    // go: the toolkit's own watchers of the widget (the accessibility cache,
    // the style's animations) must still hear it is destroyed, or they keep
    // a dangling entry that a new widget at the same address then inherits.
    QObject::disconnect(widget, nullptr, widget, nullptr);
    WidgetWindows().erase(widget);
    if (*m_dispatch > 0) {
        // Still inside one of this widget's own signals: Qt must unwind
        // first. The window is gone for the program at once.
        widget->hide();
        widget->setParent(nullptr);
        widget->deleteLater();
    } else {
        delete widget;
    }
}

bool NativeWindow::IsLive(const NativeWindow* hwnd) {
    return hwnd != nullptr && LiveWindows().count(hwnd) != 0 && hwnd->HasWidget();
}

NativeWindow* NativeWindow::FromWidget(const QObject* widget) {
    if (widget == nullptr) return nullptr;
    const auto it = WidgetWindows().find(widget);
    return it != WidgetWindows().end() && LiveWindows().count(it->second) != 0 ? it->second : nullptr;
}

NativeWindow* NativeWindow::Enclosing(const QObject* object) {
    for (const QObject* o = object; o != nullptr; o = o->parent()) {
        if (NativeWindow* native = FromWidget(o)) return native;
    }
    return nullptr;
}

void NativeWindow::SetWidget(QWidget* widget) {
    m_widget = widget;
    WidgetWindows()[widget] = this;
    m_destroyed = QObject::connect(widget, &QObject::destroyed, [this, widget] {
        WidgetWindows().erase(widget);
        m_owner->OnWindowGone();
    });
}

LRESULT NativeWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        SetText(lParam != 0 ? std::string(reinterpret_cast<const char*>(lParam)) : std::string());
        return TRUE;
    case WM_GETTEXT: {
        const std::string text = Text();
        if (wParam == 0 || lParam == 0) return 0;
        const std::size_t n = std::min<std::size_t>(text.size(), wParam - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), text.data(), n);
        reinterpret_cast<char*>(lParam)[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(Text().size());
    case WM_SETFONT: {
        auto* font = reinterpret_cast<HFONT>(wParam);
        m_font = NativeFont::IsLive(font) ? font : nullptr;
        if (Widget() != nullptr) {
            Widget()->setFont(m_font != nullptr ? m_font->Font() : QApplication::font());
            if (lParam != 0) Widget()->update();
        }
        return 0;
    }
    case WM_GETFONT:
        return NativeFont::IsLive(m_font) ? reinterpret_cast<LRESULT>(m_font) : 0;
    case WM_SETICON: {
        const std::size_t slot = wParam == ICON_BIG ? 1 : 0;
        HICON previous = m_icons[slot];
        m_icons[slot] = reinterpret_cast<HICON>(lParam);
        HICON shown = m_icons[1] != nullptr ? m_icons[1] : m_icons[0];
        if (Widget() != nullptr)
            Widget()->setWindowIcon(NativeIcon::IsLive(shown) ? shown->ToQIcon() : QIcon());
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(m_icons[wParam == ICON_BIG ? 1 : 0]);
    default:
        return 0;
    }
}

void NativeWindow::SetText(const std::string& text) {
    m_text = text;
    if (Widget() != nullptr && Widget()->isWindow()) Widget()->setWindowTitle(WindowText::ForDisplay(text));
}

void NativeWindow::SetInitialText(const std::string& text) {
    m_quiet = true;
    SetText(text);
    m_quiet = false;
}

ScrollBarState* NativeWindow::ScrollBar(int) {
    return nullptr;
}

void NativeWindow::SyncScrollBar(int) {}

void NativeWindow::Place(const QRect& rect) {
    if (Widget() != nullptr) Widget()->setGeometry(rect);
}

void NativeWindow::FollowParentArea(QWidget* widget) {
    QWidget* parent = widget != nullptr && !widget->isWindow() ? widget->parentWidget() : nullptr;
    // Only windows that scroll their children have children out of view;
    // elsewhere a child may be placed before its parent has its size.
    const NativeWindow* owner = Enclosing(parent);
    if (parent == nullptr || owner == nullptr || owner->Client() != parent || !owner->ScrollsChildren())
        return;
    const bool inView = widget->geometry().intersects(parent->rect());
    if (widget->updatesEnabled() == inView) return;
    widget->setUpdatesEnabled(inView);
    if (NativeWindow* native = inView ? FromWidget(widget) : nullptr) native->CameIntoView();
}

void NativeWindow::FollowParentAreaOfChildren(QWidget* parent) {
    if (parent == nullptr) return;
    for (QObject* child : parent->children())
        if (child->isWidgetType()) FollowParentArea(static_cast<QWidget*>(child));
}

LRESULT NativeWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    DispatchScope scope(*this);
    return m_owner->WindowProc(message, wParam, lParam);
}

void NativeWindow::SetTimer(UINT_PTR id, UINT milliseconds) {
    std::unique_ptr<QTimer>& timer = m_timers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, timer.get(), [this, id] { Send(WM_TIMER, id, 0); });
    }
    timer->start(static_cast<int>(std::min<UINT>(milliseconds, INT32_MAX)));
}

bool NativeWindow::KillTimer(UINT_PTR id) {
    const auto it = m_timers.find(id);
    if (it == m_timers.end() || !it->second->isActive()) return false;
    it->second->stop();
    return true;
}

void NativeWindow::AcceptFiles(bool accept) {
    m_acceptFiles = accept;
    if (Widget() != nullptr) Widget()->setAcceptDrops(accept);
}

void NativeWindow::DropFiles(std::vector<std::string> paths) {
    DroppedFiles drop(std::move(paths));
    Send(WM_DROPFILES, reinterpret_cast<WPARAM>(&drop), 0);
}

void NativeWindow::NotifyParent(unsigned short code) {
    CWnd* parent = m_quiet ? nullptr : m_owner->GetParent();
    if (parent == nullptr) return;
    DispatchScope scope(*this);
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(m_id), code),
                        reinterpret_cast<LPARAM>(this));
}
