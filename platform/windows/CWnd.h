#pragma once

#include <memory>
#include <string>

#include "platform/win32/WinConstants.h"
#include "platform/win32/WinTypes.h"
#include "platform/windows/CRect.h"

class CDC;
class CFont;
class CMenu;
class CScrollBar;

// A window object in the MFC manner. The object and its on-screen window are
// separate: the window can go (its parent was destroyed) while the object
// lives on, in which case m_hWnd becomes null and every operation on it is a
// harmless no-op. Every command and notification, whether it comes from a
// user's action or from SendMessage, passes through WindowProc.
//
// Geometry is in pixels in the parent's client coordinates; for a dialog the
// client area starts below its menu bar.
class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Null when the object has no live window.
    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    // The object that owns a handle; null for a handle that is not (or no
    // longer) a window.
    static CWnd* FromHandle(HWND hwnd);

    // className picks the kind of window: "EDIT", "COMBOBOX", "STATIC",
    // "BUTTON", or null/"" for a plain container window (no background of
    // its own; WS_VSCROLL gives it a vertical scroll bar, WS_BORDER or
    // WS_EX_CLIENTEDGE a frame). Returns FALSE when parent has no window or
    // the object already has one.
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, void* lpParam = nullptr);
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID);
    // Destroys the window and its child windows; the objects stay.
    virtual BOOL DestroyWindow();

    // Sends a message to this window's WindowProc and returns its result.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    CWnd* GetParent() const;
    // A direct child window with the given control id, or null.
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;

    // Returns nonzero when the window was disabled before the call.
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    void SetFocus();
    static CWnd* GetFocus();

    // Text is bytes. Edit boxes show one character per byte (Latin-1), so
    // any byte sequence comes back unchanged; other windows show UTF-8 where
    // the bytes are valid UTF-8 and Latin-1 otherwise, and still return the
    // bytes they were given.
    void SetWindowText(const std::string& text);
    void SetWindowText(LPCSTR lpszText);
    std::string GetWindowText() const;
    // Win32 form: copies at most nMaxCount - 1 bytes and a terminating NUL;
    // returns the number of bytes copied.
    int GetWindowText(LPSTR lpszBuffer, int nMaxCount) const;
    int GetWindowTextLength() const;

    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    // Whole window, including a dialog's menu bar and any frame, in screen
    // coordinates.
    void GetWindowRect(LPRECT lpRect) const;
    // Client area: left and top are 0.
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(POINT* lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(POINT* lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;

    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE);

    // Scroll bars of a window created with WS_VSCROLL (SB_VERT) or
    // WS_HSCROLL (SB_HORZ), with Win32 arithmetic: the largest position is
    // nMax - nPage + 1 (nMax when nPage is 0), and positions are clamped to
    // the range. The user's actions on the bar arrive as WM_VSCROLL/WM_HSCROLL;
    // the bar's position only changes when the program sets it.
    int SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    int GetScrollPos(int nBar) const;
    // Returns the previous position.
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    // Not Win32, for checks: whether the bar takes user input (neither
    // disabled by EnableScrollBar nor by SIF_DISABLENOSCROLL) and is shown.
    BOOL IsScrollBarEnabled(int nBar) const;
    BOOL IsScrollBarVisible(int nBar) const;
    // Moves the child windows and the painted content by (dx, dy); positive
    // dy moves them down.
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

    // The window's menu bar (dialogs built with a menu), or null.
    CMenu* GetMenu() const;

    // A modal message box owned by this window. A null caption shows the
    // application's name. Goes through the message-box hook.
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);

    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    // What hovering over the window tells; empty for nothing. Not Win32,
    // where a separate tooltip control would carry it.
    void SetToolTip(const std::string& text);
    std::string GetToolTip() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    // WM_TIMER with wParam nIDEvent every nElapse milliseconds until
    // KillTimer; setting an id that runs starts it again. Returns nIDEvent,
    // 0 without a window. The timers go with the window.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    // Local files dropped on the window (a dialog) arrive as WM_DROPFILES;
    // the window's own controls take no drops then, as in Win32.
    void DragAcceptFiles(BOOL bAccept = TRUE);

    // Every message to the window: commands, notifications, scrolling and
    // painting. The base routes WM_COMMAND to OnCommand, WM_VSCROLL and
    // WM_HSCROLL to OnVScroll/OnHScroll, WM_ERASEBKGND to OnEraseBkgnd,
    // WM_CLOSE to OnClose, WM_ACTIVATE to OnActivate, WM_TIMER to OnTimer,
    // WM_DROPFILES to OnDropFiles and the rest to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window class's own handling: CB_* for combo boxes, EM_* for edit
    // boxes, WM_SETTEXT/WM_GETTEXT, WM_SETFONT, WM_SETICON.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // wParam: MAKEWPARAM(id, notification code); lParam: the control's
    // HWND, 0 for menus and accelerators. Return TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // Return TRUE when the background was painted.
    virtual BOOL OnEraseBkgnd(CDC* pDC);
    // The close box. The base destroys the window; dialogs turn it into
    // command IDCANCEL.
    virtual void OnClose();
    // A top-level window became active (WA_ACTIVE) or stopped being so
    // (WA_INACTIVE); the layer knows no other window and passes null.
    virtual void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    virtual void OnTimer(UINT_PTR nIDEvent);
    virtual void OnDropFiles(HDROP hDropInfo);

    // The layer's side of the window; owned here so the object outlives a
    // window that its parent already destroyed.
    void AdoptNative(std::unique_ptr<NativeWindow> native);

private:
    friend class NativeWindow;
    void OnWindowGone();
    std::unique_ptr<NativeWindow> m_pNative;
};

// Win32-style free functions over handles.
BOOL IsWindow(HWND hwnd);
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
HWND GetParent(HWND hwnd);
HMENU GetMenu(HWND hwnd);
COLORREF GetSysColor(int nIndex);
