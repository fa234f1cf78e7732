#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include "platform/win32/WinTypes.h"

class CWnd;
class NativeMenu;
class QTimer;
class ScrollBarState;

// The layer's side of a window (what an HWND points to): the Qt widget, the
// window's id and styles, and the window class's own behaviour. Owned by its
// CWnd. The widget may go before this object (destroyed with its parent);
// the handle then stops being a window.
class NativeWindow {
public:
    NativeWindow(CWnd* owner, DWORD style, DWORD exStyle, UINT id);
    virtual ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    static bool IsLive(const NativeWindow* hwnd);
    // The window whose outer widget this is, or null.
    static NativeWindow* FromWidget(const QObject* widget);
    // The nearest window at or above this widget (crossing pop-ups).
    static NativeWindow* Enclosing(const QObject* object);

    CWnd* Owner() const { return m_owner; }
    QWidget* Widget() const { return m_widget.data(); }
    bool HasWidget() const { return !m_widget.isNull(); }
    // Where child windows go and what GetClientRect measures.
    virtual QWidget* Client() const { return Widget(); }
    UINT Id() const { return m_id; }
    DWORD Style() const { return m_style; }
    DWORD ExStyle() const { return m_exStyle; }

    // The window class's handling of a message (DefWindowProc).
    virtual LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void SetText(const std::string& text);
    // The text a window is created with: no notification, as in Win32.
    void SetInitialText(const std::string& text);
    virtual std::string Text() const { return m_text; }
    virtual ScrollBarState* ScrollBar(int bar);
    // Brings the drawn scroll bar in line with its numbers.
    virtual void SyncScrollBar(int bar);
    virtual NativeMenu* Menu() const { return nullptr; }
    // Whether children are moved in and out of the client area's view.
    virtual bool ScrollsChildren() const { return false; }
    // Called when the window comes back into its parent's view (see
    // FollowParentArea).
    virtual void CameIntoView() {}
    // Top-level windows: the size of everything but the client area.
    virtual QSize NonClientExtra() const { return {}; }
    // Places the window: rect is the outer rectangle in the parent's client
    // coordinates.
    virtual void Place(const QRect& rect);

    // A child wholly outside its parent's client area shows nothing, yet Qt
    // would still repaint it and, at each repaint, clip it against every
    // sibling above it: with thousands of rows (the form's) that makes one
    // switch of entries quadratic. Such a child takes no updates until it
    // comes back into view; called whenever a child or its parent moves or
    // changes size.
    static void FollowParentArea(QWidget* widget);
    static void FollowParentAreaOfChildren(QWidget* parent);

    // CWnd::SetTimer and KillTimer: WM_TIMER to the owner while it runs.
    void SetTimer(UINT_PTR id, UINT milliseconds);
    bool KillTimer(UINT_PTR id);
    // Whether local files dropped on the window reach the owner (see
    // DropFiles).
    void AcceptFiles(bool accept);
    bool AcceptsFiles() const { return m_acceptFiles; }
    // WM_DROPFILES with the paths.
    void DropFiles(std::vector<std::string> paths);

    // Sends a message to the owning object's WindowProc.
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND with this window's id and the code, to the parent window.
    void NotifyParent(unsigned short code);
    // Turns false when this object is deleted: code that sent a message
    // checks it before touching the object again.
    std::shared_ptr<const bool> AliveToken() const { return m_alive; }

protected:
    // Takes the widget: registers it, and notices when Qt destroys it.
    void SetWidget(QWidget* widget);
    // Counts dispatches from this window's own signals, so that a window
    // destroyed by the handler of its own notification is deleted only once
    // the signal has returned.
    class DispatchScope {
    public:
        // Holds the counter, not the window: the handler may delete the
        // window (and this object's owner) before the scope ends.
        explicit DispatchScope(NativeWindow& w) : m_count(w.m_dispatch) { ++*m_count; }
        ~DispatchScope() { --*m_count; }
        DispatchScope(const DispatchScope&) = delete;
        DispatchScope& operator=(const DispatchScope&) = delete;

    private:
        std::shared_ptr<int> m_count;
    };

private:
    CWnd* m_owner;
    DWORD m_style;
    DWORD m_exStyle;
    UINT m_id;
    std::string m_text;
    QPointer<QWidget> m_widget;
    QMetaObject::Connection m_destroyed;
    std::shared_ptr<int> m_dispatch = std::make_shared<int>(0);
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    bool m_quiet = false;
    HFONT m_font = nullptr;
    HICON m_icons[2] = {nullptr, nullptr};
    // Stopped timers stay until the window goes: a handler may kill the
    // timer whose signal it runs in.
    std::map<UINT_PTR, std::unique_ptr<QTimer>> m_timers;
    bool m_acceptFiles = false;
};
