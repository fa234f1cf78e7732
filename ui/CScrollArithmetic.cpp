#include "ui/CScrollArithmetic.h"

#include <algorithm>

// 64-bit intermediates: the member position, the thumb and the content height
// are all signed 32-bit values that a step or a difference could overflow.

std::int64_t CScrollArithmetic::Requested(UINT nCode, int nThumb, int nCurrent) {
    const std::int64_t cur = nCurrent;
    switch (nCode) {
    case SB_LINEUP:
        return cur - kLine;
    case SB_LINEDOWN:
        return cur + kLine;
    case SB_PAGEUP:
        return cur - kPage;
    case SB_PAGEDOWN:
        return cur + kPage;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return nThumb;
    case SB_TOP:
        return 0;
    default:
        return cur;
    }
}

int CScrollArithmetic::MaxPosition(int nContentHeight, int nClientHeight) {
    const std::int64_t diff = std::int64_t{nContentHeight} - nClientHeight;
    return static_cast<int>(std::clamp<std::int64_t>(diff, 0, INT32_MAX));
}

int CScrollArithmetic::Limit(std::int64_t nPos, int nContentHeight, int nClientHeight) {
    const std::int64_t top = MaxPosition(nContentHeight, nClientHeight);
    return static_cast<int>(std::clamp<std::int64_t>(nPos, 0, top));
}

int CScrollArithmetic::NextPosition(UINT nCode, int nThumb, int nCurrent, int nContentHeight,
                                    int nClientHeight) {
    return Limit(Requested(nCode, nThumb, nCurrent), nContentHeight, nClientHeight);
}

int CScrollArithmetic::ContentShift(int nOldBarPos, int nNewPos) {
    const std::int64_t shift = std::int64_t{nOldBarPos} - nNewPos;
    return static_cast<int>(std::clamp<std::int64_t>(shift, INT32_MIN, INT32_MAX));
}

SCROLLINFO CScrollArithmetic::ScrollInfo(int nContentHeight, int nClientHeight, int nBarPos) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = nContentHeight;
    info.nPage = static_cast<UINT>(std::max(nClientHeight, 0));
    info.nPos = nBarPos;
    return info;
}
