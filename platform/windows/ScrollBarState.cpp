#include "platform/windows/ScrollBarState.h"

#include <algorithm>
#include <cstdint>

#include "platform/win32/WinConstants.h"

int ScrollBarState::SetInfo(const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        m_nMin = info.nMin;
        m_nMax = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE) m_nPage = info.nPage;
    // The page never exceeds the whole range.
    const std::int64_t span = static_cast<std::int64_t>(m_nMax) - m_nMin + 1;
    if (static_cast<std::int64_t>(m_nPage) > span) m_nPage = static_cast<UINT>(span);
    if (info.fMask & SIF_POS) m_nPos = info.nPos;
    m_nPos = Clamp(m_nPos);
    m_bDisableNoScroll = (info.fMask & SIF_DISABLENOSCROLL) != 0;
    return m_nPos;
}

void ScrollBarState::GetInfo(SCROLLINFO& info, UINT mask) const {
    info.fMask = mask;
    if (mask & SIF_RANGE) {
        info.nMin = m_nMin;
        info.nMax = m_nMax;
    }
    if (mask & SIF_PAGE) info.nPage = m_nPage;
    if (mask & SIF_POS) info.nPos = m_nPos;
    if (mask & SIF_TRACKPOS) info.nTrackPos = m_nTrackPos;
}

int ScrollBarState::SetPos(int pos) {
    const int previous = m_nPos;
    m_nPos = Clamp(pos);
    return previous;
}

int ScrollBarState::MaxPos() const {
    const std::int64_t top = static_cast<std::int64_t>(m_nMax) -
                             std::max<std::int64_t>(static_cast<std::int64_t>(m_nPage) - 1, 0);
    return static_cast<int>(std::max<std::int64_t>(top, m_nMin));
}

int ScrollBarState::Clamp(int pos) const {
    return std::clamp(pos, m_nMin, MaxPos());
}

BOOL ScrollBarState::EnableArrows(UINT arrowFlags) {
    const UINT flags = arrowFlags & ESB_DISABLE_BOTH;
    if (flags == m_nArrowFlags) return FALSE;
    m_nArrowFlags = flags;
    return TRUE;
}

bool ScrollBarState::Enabled() const {
    if (m_nArrowFlags == ESB_DISABLE_BOTH) return false;
    return !(m_bDisableNoScroll && !CanScroll());
}
