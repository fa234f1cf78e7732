#include "ui/CScrollPanel.h"

#include <algorithm>

#include "platform/windows/CDC.h"
#include "ui/CScrollArithmetic.h"

CScrollPanel::CScrollPanel() = default;

CScrollPanel::~CScrollPanel() = default;

BOOL CScrollPanel::Create(const RECT& rect, CWnd* pParentWnd, UINT nID) {
    // No window class of its own: the panel paints its background itself.
    const DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL;
    if (!CreateEx(exStyle, nullptr, nullptr, style, rect, pParentWnd, nID)) return FALSE;
    ShowScrollBar(SB_VERT, TRUE);
    UpdateScrollInfo();
    return TRUE;
}

BOOL CScrollPanel::SetContentHeight(int nHeight) {
    m_nContentHeight = nHeight;
    return UpdateScrollInfo();
}

BOOL CScrollPanel::UpdateScrollInfo() {
    // The bar, not m_nScrollPos, knows where the children actually are.
    const int nOld = GetScrollPos(SB_VERT);
    SCROLLINFO info = CScrollArithmetic::ScrollInfo(m_nContentHeight, ClientHeight(), nOld);
    const BOOL bSet = SetScrollInfo(SB_VERT, &info, TRUE) != 0 ? TRUE : FALSE;
    FollowClampedBar(nOld);
    return bSet;
}

void CScrollPanel::FollowClampedBar(int nOld) {
    // A shorter content makes the bar pull its position back; the children
    // must move with it, or they stay scrolled further than the bar can ever
    // bring back and the top rows are lost.
    const int nNew = GetScrollPos(SB_VERT);
    if (nNew == nOld) return;
    ScrollWindow(0, CScrollArithmetic::ContentShift(nOld, nNew));
    m_nScrollPos = nNew;
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
        if (CWnd* pParent = GetParent()) pParent->SendMessage(message, wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CScrollPanel::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    m_nScrollPos = CScrollArithmetic::NextPosition(nSBCode, static_cast<int>(nPos), m_nScrollPos,
                                                   m_nContentHeight, ClientHeight());
    const int nOld = GetScrollPos(SB_VERT);
    ScrollWindow(0, CScrollArithmetic::ContentShift(nOld, m_nScrollPos));
    SetScrollPos(SB_VERT, m_nScrollPos, TRUE);
    CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
}

BOOL CScrollPanel::OnEraseBkgnd(CDC* pDC) {
    // Fill down to the content's bottom, and at least the whole client area:
    // below a short form there is nothing else to paint that strip, and it
    // would keep the pixels of whatever was shown there before.
    CRect rect;
    GetClientRect(rect);
    rect.bottom = std::max(rect.bottom, static_cast<LONG>(m_nContentHeight));
    pDC->FillSolidRect(rect, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}
