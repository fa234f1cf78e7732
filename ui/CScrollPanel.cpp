#include "ui/CScrollPanel.h"

#include <algorithm>

#include "platform/windows/CDC.h"
#include "ui/ScrollArithmetic.h"

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
    // The dialog's command table must see notifications of controls that
    // are the panel's children, not its own.
    if (message == WM_COMMAND) {
        if (CWnd* parent = GetParent()) parent->SendMessage(message, wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CScrollPanel::OnVScroll(UINT code, UINT thumb, CScrollBar* scrollBar) {
    m_nScrollPos = ScrollArithmetic::NextPosition(code, static_cast<int>(thumb), m_nScrollPos,
                                                  m_nContentHeight, ClientHeight());
    const int oldPos = GetScrollPos(SB_VERT);
    ScrollWindow(0, ScrollArithmetic::ContentShift(oldPos, m_nScrollPos));
    SetScrollPos(SB_VERT, m_nScrollPos, TRUE);
    CWnd::OnVScroll(code, thumb, scrollBar);
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
