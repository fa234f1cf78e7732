#pragma once

#include "platform/windows/CWnd.h"

// The bordered child window that carries the entry selector and the form's
// rows. It scrolls by moving its children, and hands every command of its
// children on to its parent so the dialog's command table sees them.
class CScrollPanel : public CWnd {
public:
    CScrollPanel();
    ~CScrollPanel() override;

    // rect is in the parent's client coordinates, in pixels.
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL SetContentHeight(int nHeight);
    BOOL UpdateScrollInfo();

    int GetScrollPosition() const { return m_nScrollPos; }
    int GetContentHeight() const { return m_nContentHeight; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    int ClientHeight() const;
    void FollowClampedBar(int nOld);

    int m_nScrollPos = 0;
    int m_nContentHeight = 1000;
};
