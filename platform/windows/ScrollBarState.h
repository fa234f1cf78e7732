#pragma once

#include "platform/win32/WinTypes.h"

// A window scroll bar's numbers with Win32 rules, apart from any drawing: the
// page is clamped to the range, the largest position is nMax - nPage + 1,
// and the position always lies between nMin and that.
class ScrollBarState {
public:
    // Applies the fields named by fMask; returns the resulting position.
    int SetInfo(const SCROLLINFO& info);
    void GetInfo(SCROLLINFO& info, UINT mask) const;
    // Returns the previous position.
    int SetPos(int pos);
    int Pos() const { return m_nPos; }
    int Min() const { return m_nMin; }
    int Max() const { return m_nMax; }
    UINT Page() const { return m_nPage; }
    int MaxPos() const;
    // There is room to scroll: the page is smaller than the range.
    bool CanScroll() const { return MaxPos() > m_nMin; }

    // ESB_* flags; returns FALSE when nothing changed.
    BOOL EnableArrows(UINT arrowFlags);
    // Takes user input: not disabled by EnableScrollBar, nor by
    // SIF_DISABLENOSCROLL while there is no room to scroll.
    bool Enabled() const;
    bool Visible() const { return m_bVisible; }
    void SetVisible(bool visible) { m_bVisible = visible; }
    void SetTrackPos(int pos) { m_nTrackPos = pos; }

private:
    int Clamp(int pos) const;

    int m_nMin = 0;
    int m_nMax = 100;
    UINT m_nPage = 0;
    int m_nPos = 0;
    int m_nTrackPos = 0;
    UINT m_nArrowFlags = 0;
    bool m_bDisableNoScroll = false;
    bool m_bVisible = true;
};
