#include "CScrollArithmetic.h"

#include <algorithm>

// 64-bit intermediates: the member position, the thumb and the content height
// are all signed 32-bit values that a step or a difference could overflow.

std::int64_t CScrollArithmetic::Requested(int nCode, int nThumb, int nCurrent)
{
    const std::int64_t cur = nCurrent;
    switch (nCode)
    {
    case LineUp: return cur - kLine;
    case LineDown: return cur + kLine;
    case PageUp: return cur - kPage;
    case PageDown: return cur + kPage;
    case ThumbPosition:
    case ThumbTrack: return nThumb;
    case Top: return 0;
    default: return cur;
    }
}

int CScrollArithmetic::MaxPosition(int nContentHeight, int nClientHeight)
{
    const std::int64_t diff = std::int64_t{nContentHeight} - nClientHeight;
    return static_cast<int>(std::clamp<std::int64_t>(diff, 0, INT32_MAX));
}

int CScrollArithmetic::Limit(std::int64_t nPos, int nContentHeight, int nClientHeight)
{
    const std::int64_t top = MaxPosition(nContentHeight, nClientHeight);
    return static_cast<int>(std::clamp<std::int64_t>(nPos, 0, top));
}

int CScrollArithmetic::NextPosition(int nCode, int nThumb, int nCurrent, int nContentHeight,
                                    int nClientHeight)
{
    return Limit(Requested(nCode, nThumb, nCurrent), nContentHeight, nClientHeight);
}

int CScrollArithmetic::ContentShift(int nOldBarPos, int nNewPos)
{
    const std::int64_t shift = std::int64_t{nOldBarPos} - nNewPos;
    return static_cast<int>(std::clamp<std::int64_t>(shift, INT32_MIN, INT32_MAX));
}

CScrollArithmetic::Range CScrollArithmetic::ScrollRange(int nContentHeight, int nClientHeight)
{
    return Range{0, nContentHeight, std::max(nClientHeight, 0)};
}
