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
    int Pos() const { return m_pos; }
    int Min() const { return m_min; }
    UINT Page() const { return m_page; }
    int MaxPos() const;
    // There is room to scroll: the page is smaller than the range.
    bool CanScroll() const { return MaxPos() > m_min; }

    // ESB_* flags; returns FALSE when nothing changed.
    BOOL EnableArrows(UINT arrowFlags);
    // Takes user input: not disabled by EnableScrollBar, nor by
    // SIF_DISABLENOSCROLL while there is no room to scroll.
    bool Enabled() const;
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    void SetTrackPos(int pos) { m_trackPos = pos; }

private:
    int Clamp(int pos) const;

    int m_min = 0;
    int m_max = 100;
    UINT m_page = 0;
    int m_pos = 0;
    int m_trackPos = 0;
    UINT m_arrowFlags = 0;
    bool m_disableNoScroll = false;
    bool m_visible = true;
};
