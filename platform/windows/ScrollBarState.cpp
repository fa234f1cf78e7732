#include "platform/windows/ScrollBarState.h"

#include <algorithm>
#include <cstdint>

#include "platform/win32/WinConstants.h"

int ScrollBarState::SetInfo(const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        m_min = info.nMin;
        m_max = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE) m_page = info.nPage;
    // The page never exceeds the whole range.
    const std::int64_t span = static_cast<std::int64_t>(m_max) - m_min + 1;
    if (static_cast<std::int64_t>(m_page) > span) m_page = static_cast<UINT>(span);
    if (info.fMask & SIF_POS) m_pos = info.nPos;
    m_pos = Clamp(m_pos);
    m_disableNoScroll = (info.fMask & SIF_DISABLENOSCROLL) != 0;
    return m_pos;
}

void ScrollBarState::GetInfo(SCROLLINFO& info, UINT mask) const {
    info.fMask = mask;
    if (mask & SIF_RANGE) {
        info.nMin = m_min;
        info.nMax = m_max;
    }
    if (mask & SIF_PAGE) info.nPage = m_page;
    if (mask & SIF_POS) info.nPos = m_pos;
    if (mask & SIF_TRACKPOS) info.nTrackPos = m_trackPos;
}

int ScrollBarState::SetPos(int pos) {
    const int previous = m_pos;
    m_pos = Clamp(pos);
    return previous;
}

int ScrollBarState::MaxPos() const {
    const std::int64_t top = static_cast<std::int64_t>(m_max) -
                             std::max<std::int64_t>(static_cast<std::int64_t>(m_page) - 1, 0);
    return static_cast<int>(std::max<std::int64_t>(top, m_min));
}

int ScrollBarState::Clamp(int pos) const {
    return std::clamp(pos, m_min, MaxPos());
}

BOOL ScrollBarState::EnableArrows(UINT arrowFlags) {
    const UINT flags = arrowFlags & ESB_DISABLE_BOTH;
    if (flags == m_arrowFlags) return FALSE;
    m_arrowFlags = flags;
    return TRUE;
}

bool ScrollBarState::Enabled() const {
    if (m_arrowFlags == ESB_DISABLE_BOTH) return false;
    return !(m_disableNoScroll && !CanScroll());
}
