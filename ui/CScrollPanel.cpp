#include "ui/CScrollPanel.h"

#include <algorithm>
#include <cstdlib>

#include "platform/windows/CDC.h"
#include "ui/model/ScrollArithmetic.h"

CScrollPanel::CScrollPanel() = default;

CScrollPanel::~CScrollPanel() = default;

BOOL CScrollPanel::Create(const RECT& rect, CWnd* parent, UINT id) {
    // No window class of its own: the panel paints its background itself.
    const DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL;
    if (!CreateEx(exStyle, nullptr, nullptr, style, rect, parent, id)) return FALSE;
    ShowScrollBar(SB_VERT, TRUE);
    UpdateScrollInfo();
    return TRUE;
}

BOOL CScrollPanel::SetContentHeight(int height) {
    m_nContentHeight = height;
    return UpdateScrollInfo();
}

BOOL CScrollPanel::UpdateScrollInfo() {
    // The bar, not m_nScrollPos, knows where the children actually are.
    const int oldPos = GetScrollPos(SB_VERT);
    SCROLLINFO info = ScrollArithmetic::ScrollInfo(m_nContentHeight, ClientHeight(), oldPos);
    const BOOL set = SetScrollInfo(SB_VERT, &info, TRUE) != 0 ? TRUE : FALSE;
    FollowClampedBar(oldPos);
    return set;
}

void CScrollPanel::FollowClampedBar(int oldPos) {
    // A shorter content makes the bar pull its position back; the children
    // must move with it, or they stay scrolled further than the bar can ever
    // bring back and the top rows are lost.
    const int newPos = GetScrollPos(SB_VERT);
    if (newPos == oldPos) return;
    ScrollWindow(0, ScrollArithmetic::ContentShift(oldPos, newPos));
    m_nScrollPos = newPos;
}

int CScrollPanel::ClientHeight() const {
    CRect client;
    GetClientRect(client);
    return client.Height();
}

LRESULT CScrollPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL) {
        OnMouseWheel(static_cast<short>(HIWORD(wParam)));
        return 0;
    }
    if (message == WM_COMMAND) {
        // Edits report EN_SETFOCUS, combo boxes CBN_SETFOCUS; the panel has
        // no other children that take the focus.
        const WORD code = HIWORD(wParam);
        if (lParam != 0 && (code == EN_SETFOCUS || code == CBN_SETFOCUS)) {
            ShowChild(LOWORD(wParam));
            if (m_focusListener) m_focusListener(LOWORD(wParam));
        }
        // The dialog's command table must see notifications of controls that
        // are the panel's children, not its own.
        if (CWnd* parent = GetParent()) parent->SendMessage(message, wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CScrollPanel::OnVScroll(UINT code, UINT thumb, CScrollBar* scrollBar) {
    ScrollTo(ScrollArithmetic::NextPosition(code, static_cast<int>(thumb), m_nScrollPos, m_nContentHeight,
                                            ClientHeight()));
    CWnd::OnVScroll(code, thumb, scrollBar);
}

void CScrollPanel::ScrollTo(int pos) {
    m_nScrollPos = pos;
    const int oldPos = GetScrollPos(SB_VERT);
    ScrollWindow(0, ScrollArithmetic::ContentShift(oldPos, m_nScrollPos));
    SetScrollPos(SB_VERT, m_nScrollPos, TRUE);
}

void CScrollPanel::OnMouseWheel(int delta) {
    // Each notch is a few line steps through WM_VSCROLL, as the bar's own
    // arrows would send them, so the bar and the rows stay in step.
    m_wheelRest += delta;
    const int notches = m_wheelRest / WHEEL_DELTA;
    m_wheelRest -= notches * WHEEL_DELTA;
    const WPARAM step = MAKEWPARAM(static_cast<WORD>(notches > 0 ? SB_LINEUP : SB_LINEDOWN), 0);
    for (int i = 0; i < std::abs(notches) * ScrollArithmetic::kWheelLines; ++i)
        SendMessage(WM_VSCROLL, step, 0);
    if (notches != 0) SendMessage(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
}

void CScrollPanel::ShowChild(UINT id) {
    CWnd* child = GetDlgItem(static_cast<int>(id));
    if (child == nullptr) return;
    CRect rect;
    child->GetWindowRect(rect);
    ScreenToClient(rect);
    const int pos = ScrollArithmetic::PositionShowing(rect.top, rect.bottom, m_nScrollPos, m_nContentHeight,
                                                      ClientHeight());
    if (pos != m_nScrollPos) ScrollTo(pos);
}

BOOL CScrollPanel::OnEraseBkgnd(CDC* dc) {
    // Fill down to the content's bottom, and at least the whole client area:
    // below a short form there is nothing else to paint that strip, and it
    // would keep the pixels of whatever was shown there before.
    CRect rect;
    GetClientRect(rect);
    rect.bottom = std::max(rect.bottom, static_cast<LONG>(m_nContentHeight));
    dc->FillSolidRect(rect, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}
