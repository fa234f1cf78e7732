#include "platform/windows/CWnd.h"

#include <algorithm>
#include <cstring>

#include <QApplication>
#include <QWidget>

#include "platform/windows/CDC.h"
#include "platform/windows/CFont.h"
#include "platform/windows/CMenu.h"
#include "platform/windows/CWinApp.h"
#include "platform/windows/MessageBoxHook.h"
#include "platform/windows/NativeButton.h"
#include "platform/windows/NativeCombo.h"
#include "platform/windows/NativeContainer.h"
#include "platform/windows/NativeEdit.h"
#include "platform/windows/NativeMenu.h"
#include "platform/windows/NativeStatic.h"
#include "platform/windows/NativeWindow.h"
#include "platform/windows/ScrollBarState.h"
#include "platform/windows/WindowText.h"

namespace {

bool SameClass(LPCSTR a, const char* b) {
    if (a == nullptr) return false;
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::toupper(static_cast<unsigned char>(*a)) != *b) return false;
    }
    return *a == *b;
}

std::unique_ptr<NativeWindow> MakeNative(CWnd* owner, LPCSTR className, DWORD style, DWORD exStyle, UINT id,
                                         QWidget* parent) {
    if (SameClass(className, "EDIT")) return std::make_unique<NativeEdit>(owner, style, exStyle, id, parent);
    if (SameClass(className, "COMBOBOX"))
        return std::make_unique<NativeCombo>(owner, style, exStyle, id, parent);
    if (SameClass(className, "STATIC"))
        return std::make_unique<NativeStatic>(owner, style, exStyle, id, parent);
    if (SameClass(className, "BUTTON"))
        return std::make_unique<NativeButton>(owner, style, exStyle, id, parent);
    return std::make_unique<NativeContainer>(owner, style, exStyle, id, parent);
}

QRect ToQRect(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

RECT ToRect(const QRect& r) {
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
    // As MFC does when the main window goes: the application must not keep
    // sending keys to a dead object.
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
    DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    return NativeWindow::IsLive(hwnd) ? hwnd->Owner() : nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, void*) {
    if (::IsWindow(m_hWnd)) return FALSE;
    QWidget* parent = nullptr;
    if (pParentWnd != nullptr) {
        if (!::IsWindow(pParentWnd->m_hWnd) || pParentWnd->m_pNative->Client() == nullptr) return FALSE;
        parent = pParentWnd->m_pNative->Client();
    }
    AdoptNative(MakeNative(this, lpszClassName, dwStyle, dwExStyle, nID, parent));
    m_pNative->SetInitialText(lpszWindowName != nullptr ? lpszWindowName : "");
    m_pNative->Place(ToQRect(rect));
    NativeWindow::FollowParentArea(m_pNative->Widget());
    QWidget* widget = m_pNative->Widget();
    widget->setEnabled((dwStyle & WS_DISABLED) == 0);
    widget->setVisible((dwStyle & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

void CWnd::AdoptNative(std::unique_ptr<NativeWindow> native) {
    m_pNative = std::move(native);
    m_hWnd = m_pNative.get();
}

BOOL CWnd::DestroyWindow() {
    const BOOL existed = ::IsWindow(m_hWnd);
    m_hWnd = nullptr;
    m_pNative.reset();
    return existed;
}

void CWnd::OnWindowGone() {
    m_hWnd = nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // As with Win32, a message to a window that does not exist does nothing.
    if (!::IsWindow(m_hWnd)) return 0;
    return WindowProc(message, wParam, lParam);
}

CWnd* CWnd::GetParent() const {
    if (!::IsWindow(m_hWnd)) return nullptr;
    NativeWindow* parent = NativeWindow::Enclosing(m_pNative->Widget()->parent());
    return parent != nullptr ? parent->Owner() : nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const {
    if (!::IsWindow(m_hWnd) || m_pNative->Client() == nullptr) return nullptr;
    for (QObject* child : m_pNative->Client()->children()) {
        NativeWindow* native = NativeWindow::FromWidget(child);
        if (native != nullptr && native->HasWidget() && native->Id() == static_cast<UINT>(nID))
            return native->Owner();
    }
    return nullptr;
}

int CWnd::GetDlgCtrlID() const {
    return ::IsWindow(m_hWnd) ? static_cast<int>(m_pNative->Id()) : 0;
}

DWORD CWnd::GetStyle() const {
    if (!::IsWindow(m_hWnd)) return 0;
    DWORD style = m_pNative->Style() & ~(WS_VISIBLE | WS_DISABLED);
    if (!m_pNative->Widget()->isHidden()) style |= WS_VISIBLE;
    if (!IsWindowEnabled()) style |= WS_DISABLED;
    return style;
}

DWORD CWnd::GetExStyle() const {
    return ::IsWindow(m_hWnd) ? m_pNative->ExStyle() : 0;
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    if (!::IsWindow(m_hWnd)) return FALSE;
    const BOOL wasDisabled = IsWindowEnabled() ? FALSE : TRUE;
    m_pNative->Widget()->setEnabled(bEnable != FALSE);
    return wasDisabled;
}

// The window's own state, like WS_DISABLED: a child of a disabled window
// still counts as enabled.
BOOL CWnd::IsWindowEnabled() const {
    if (!::IsWindow(m_hWnd)) return FALSE;
    return m_pNative->Widget()->testAttribute(Qt::WA_ForceDisabled) ? FALSE : TRUE;
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    if (!::IsWindow(m_hWnd)) return FALSE;
    QWidget* widget = m_pNative->Widget();
    const BOOL wasVisible = widget->isHidden() ? FALSE : TRUE;
    widget->setVisible(nCmdShow != SW_HIDE);
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    return ::IsWindow(m_hWnd) && m_pNative->Widget()->isVisible() ? TRUE : FALSE;
}

void CWnd::SetFocus() {
    if (::IsWindow(m_hWnd)) m_pNative->Widget()->setFocus(Qt::OtherFocusReason);
}

CWnd* CWnd::GetFocus() {
    NativeWindow* native = NativeWindow::Enclosing(QApplication::focusWidget());
    return native != nullptr ? native->Owner() : nullptr;
}

void CWnd::SetToolTip(const std::string& text) {
    if (::IsWindow(m_hWnd)) m_pNative->Widget()->setToolTip(WindowText::ForDisplay(text));
}

std::string CWnd::GetToolTip() const {
    return ::IsWindow(m_hWnd) ? m_pNative->Widget()->toolTip().toStdString() : std::string();
}

void CWnd::SetWindowText(const std::string& text) {
    if (::IsWindow(m_hWnd)) m_pNative->SetText(text);
}

void CWnd::SetWindowText(LPCSTR lpszText) {
    SetWindowText(std::string(lpszText != nullptr ? lpszText : ""));
}

std::string CWnd::GetWindowText() const {
    return ::IsWindow(m_hWnd) ? m_pNative->Text() : std::string();
}

int CWnd::GetWindowText(LPSTR lpszBuffer, int nMaxCount) const {
    if (lpszBuffer == nullptr || nMaxCount <= 0) return 0;
    const std::string text = GetWindowText();
    const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(nMaxCount - 1));
    std::memcpy(lpszBuffer, text.data(), n);
    lpszBuffer[n] = '\0';
    return static_cast<int>(n);
}

int CWnd::GetWindowTextLength() const {
    return static_cast<int>(GetWindowText().size());
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    if (!::IsWindow(m_hWnd)) return;
    m_pNative->Place(QRect(x, y, std::max(0, nWidth), std::max(0, nHeight)));
    NativeWindow::FollowParentArea(m_pNative->Widget());
    NativeWindow::FollowParentAreaOfChildren(m_pNative->Client());
    if (bRepaint) m_pNative->Widget()->update();
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    if (lpRect != nullptr)
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                   bRepaint);
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
    if (lpRect == nullptr) return;
    *lpRect = RECT{};
    if (!::IsWindow(m_hWnd)) return;
    QWidget* widget = m_pNative->Widget();
    // A top-level window's rectangle includes the frame the desktop adds.
    *lpRect = ToRect(widget->isWindow() ? widget->frameGeometry()
                                        : QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    if (lpRect == nullptr) return;
    *lpRect = RECT{};
    if (::IsWindow(m_hWnd) && m_pNative->Client() != nullptr)
        *lpRect = ToRect(QRect(QPoint(0, 0), m_pNative->Client()->size()));
}

void CWnd::ClientToScreen(POINT* lpPoint) const {
    if (lpPoint == nullptr || !::IsWindow(m_hWnd) || m_pNative->Client() == nullptr) return;
    const QPoint p = m_pNative->Client()->mapToGlobal(QPoint(lpPoint->x, lpPoint->y));
    *lpPoint = POINT{p.x(), p.y()};
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    if (lpRect == nullptr) return;
    POINT a{lpRect->left, lpRect->top};
    POINT b{lpRect->right, lpRect->bottom};
    ClientToScreen(&a);
    ClientToScreen(&b);
    *lpRect = RECT{a.x, a.y, b.x, b.y};
}

void CWnd::ScreenToClient(POINT* lpPoint) const {
    if (lpPoint == nullptr || !::IsWindow(m_hWnd) || m_pNative->Client() == nullptr) return;
    const QPoint p = m_pNative->Client()->mapFromGlobal(QPoint(lpPoint->x, lpPoint->y));
    *lpPoint = POINT{p.x(), p.y()};
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    if (lpRect == nullptr) return;
    POINT a{lpRect->left, lpRect->top};
    POINT b{lpRect->right, lpRect->bottom};
    ScreenToClient(&a);
    ScreenToClient(&b);
    *lpRect = RECT{a.x, a.y, b.x, b.y};
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL) {
    if (!::IsWindow(m_hWnd)) return;
    QWidget* client = m_pNative->Client() != nullptr ? m_pNative->Client() : m_pNative->Widget();
    if (lpRect == nullptr) {
        m_pNative->Widget()->update();
        client->update();
    } else {
        client->update(ToQRect(*lpRect));
    }
}

void CWnd::Invalidate(BOOL bErase) {
    InvalidateRect(nullptr, bErase);
}

int CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL) {
    ScrollBarState* bar = ::IsWindow(m_hWnd) ? m_pNative->ScrollBar(nBar) : nullptr;
    if (bar == nullptr || lpScrollInfo == nullptr) return 0;
    const int pos = bar->SetInfo(*lpScrollInfo);
    m_pNative->SyncScrollBar(nBar);
    return pos;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const {
    ScrollBarState* bar = ::IsWindow(m_hWnd) ? m_pNative->ScrollBar(nBar) : nullptr;
    if (bar == nullptr || lpScrollInfo == nullptr) return FALSE;
    bar->GetInfo(*lpScrollInfo, nMask);
    return TRUE;
}

int CWnd::GetScrollPos(int nBar) const {
    ScrollBarState* bar = ::IsWindow(m_hWnd) ? m_pNative->ScrollBar(nBar) : nullptr;
    return bar != nullptr ? bar->Pos() : 0;
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL) {
    ScrollBarState* bar = ::IsWindow(m_hWnd) ? m_pNative->ScrollBar(nBar) : nullptr;
    if (bar == nullptr) return 0;
    const int previous = bar->SetPos(nPos);
    m_pNative->SyncScrollBar(nBar);
    return previous;
}

BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags) {
    const int bar = nSBFlags == SB_BOTH ? SB_VERT : nSBFlags;
    ScrollBarState* state = ::IsWindow(m_hWnd) ? m_pNative->ScrollBar(bar) : nullptr;
    if (state == nullptr) return FALSE;
    const BOOL changed = state->EnableArrows(nArrowFlags);
    m_pNative->SyncScrollBar(bar);
    return changed;
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) {
    const int bar = nBar == static_cast<UINT>(SB_BOTH) ? SB_VERT : static_cast<int>(nBar);
    ScrollBarState* state = ::IsWindow(m_hWnd) ? m_pNative->ScrollBar(bar) : nullptr;
    if (state == nullptr) return;
    state->SetVisible(bShow != FALSE);
    m_pNative->SyncScrollBar(bar);
}

BOOL CWnd::IsScrollBarEnabled(int nBar) const {
    ScrollBarState* state = ::IsWindow(m_hWnd) ? m_pNative->ScrollBar(nBar) : nullptr;
    return state != nullptr && state->Enabled() ? TRUE : FALSE;
}

BOOL CWnd::IsScrollBarVisible(int nBar) const {
    ScrollBarState* state = ::IsWindow(m_hWnd) ? m_pNative->ScrollBar(nBar) : nullptr;
    return state != nullptr && state->Visible() ? TRUE : FALSE;
}

void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT) {
    if (!::IsWindow(m_hWnd) || m_pNative->Client() == nullptr || (xAmount == 0 && yAmount == 0)) return;
    QWidget* client = m_pNative->Client();
    if (lpRect != nullptr) {
        // With a rectangle only pixels move, as in Win32; children stay.
        client->scroll(xAmount, yAmount, ToQRect(*lpRect));
        return;
    }
    if (client->isVisible()) {
        client->scroll(xAmount, yAmount);
    } else {
        // Qt does nothing for a window that is not shown yet; the children
        // must still move.
        for (QObject* child : client->children()) {
            if (child->isWidgetType()) {
                auto* w = static_cast<QWidget*>(child);
                w->move(w->pos() + QPoint(xAmount, yAmount));
            }
        }
    }
    NativeWindow::FollowParentAreaOfChildren(client);
}

CMenu* CWnd::GetMenu() const {
    NativeMenu* menu = ::IsWindow(m_hWnd) ? m_pNative->Menu() : nullptr;
    return menu != nullptr ? menu->Object() : nullptr;
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont != nullptr ? pFont->GetSafeHandle() : nullptr),
                bRedraw);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const {
    if (!::IsWindow(m_hWnd)) return nullptr;
    return reinterpret_cast<HICON>(m_pNative->Default(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) return 0;
        return DefWindowProc(message, wParam, lParam);
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), nullptr);
        return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), nullptr);
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam), nullptr, HIWORD(wParam) != 0 ? TRUE : FALSE);
        return 0;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::IsWindow(m_hWnd) ? m_pNative->Default(message, wParam, lParam) : 0;
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) {
    return FALSE;
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {}

void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {}

// The plain window class has no background brush: nothing is erased.
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return FALSE;
}

void CWnd::OnClose() {
    DestroyWindow();
}

void CWnd::OnActivate(UINT, CWnd*, BOOL) {}

void CWnd::OnTimer(UINT_PTR) {}

void CWnd::OnDropFiles(HDROP) {}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*) {
    if (!::IsWindow(m_hWnd)) return 0;
    m_pNative->SetTimer(nIDEvent, nElapse);
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return ::IsWindow(m_hWnd) && m_pNative->KillTimer(nIDEvent) ? TRUE : FALSE;
}

void CWnd::DragAcceptFiles(BOOL bAccept) {
    if (::IsWindow(m_hWnd)) m_pNative->AcceptFiles(bAccept != FALSE);
}

BOOL IsWindow(HWND hwnd) {
    return NativeWindow::IsLive(hwnd) ? TRUE : FALSE;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    return wnd != nullptr ? wnd->SendMessage(message, wParam, lParam) : 0;
}

HWND GetParent(HWND hwnd) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    CWnd* parent = wnd != nullptr ? wnd->GetParent() : nullptr;
    return parent != nullptr ? parent->GetSafeHwnd() : nullptr;
}

HMENU GetMenu(HWND hwnd) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    CMenu* menu = wnd != nullptr ? wnd->GetMenu() : nullptr;
    return menu != nullptr ? menu->GetSafeHmenu() : nullptr;
}

COLORREF GetSysColor(int nIndex) {
    switch (nIndex) {
    case COLOR_BTNFACE:
        return RGB(240, 240, 240);
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT:
        return RGB(0, 0, 0);
    default:
        return RGB(0, 0, 0);
    }
}
