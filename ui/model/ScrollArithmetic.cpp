#include "ui/model/ScrollArithmetic.h"

#include <algorithm>

// 64-bit intermediates: the member position, the thumb and the content height
// are all signed 32-bit values that a step or a difference could overflow.

std::int64_t ScrollArithmetic::Requested(UINT code, int thumb, int current) {
    const std::int64_t cur = current;
    switch (code) {
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
        return thumb;
    case SB_TOP:
        return 0;
    default:
        return cur;
    }
}

int ScrollArithmetic::MaxPosition(int contentHeight, int clientHeight) {
    const std::int64_t diff = std::int64_t{contentHeight} - clientHeight;
    return static_cast<int>(std::clamp<std::int64_t>(diff, 0, INT32_MAX));
}

int ScrollArithmetic::Limit(std::int64_t pos, int contentHeight, int clientHeight) {
    const std::int64_t top = MaxPosition(contentHeight, clientHeight);
    return static_cast<int>(std::clamp<std::int64_t>(pos, 0, top));
}

int ScrollArithmetic::NextPosition(UINT code, int thumb, int current, int contentHeight, int clientHeight) {
    return Limit(Requested(code, thumb, current), contentHeight, clientHeight);
}

int ScrollArithmetic::PositionShowing(int top, int bottom, int current, int contentHeight, int clientHeight) {
    std::int64_t pos = current;
    if (bottom > clientHeight) pos += std::int64_t{bottom} - clientHeight;
    // A child taller than the client area shows its top.
    if (std::int64_t{top} - (pos - current) < 0) pos = std::int64_t{current} + top;
    return Limit(pos, contentHeight, clientHeight);
}

int ScrollArithmetic::ContentShift(int oldBarPos, int newPos) {
    const std::int64_t shift = std::int64_t{oldBarPos} - newPos;
    return static_cast<int>(std::clamp<std::int64_t>(shift, INT32_MIN, INT32_MAX));
}

SCROLLINFO ScrollArithmetic::ScrollInfo(int contentHeight, int clientHeight, int barPos) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = contentHeight;
    info.nPage = static_cast<UINT>(std::max(clientHeight, 0));
    info.nPos = barPos;
    return info;
}
