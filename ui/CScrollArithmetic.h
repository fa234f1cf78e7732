#pragma once

#include <cstdint>

#include "platform/win32/WinConstants.h"

// The panel's scrolling rules, kept apart from any window so they can be
// checked without painting. Positions are pixels the content is scrolled up.
class CScrollArithmetic {
public:
    static constexpr int kLine = 10;
    // A page is a fixed step, not the panel's height.
    static constexpr int kPage = 20;

    // Where a request moves the position, before the limits apply; codes
    // without a movement of their own keep the current position.
    static std::int64_t Requested(UINT nCode, int nThumb, int nCurrent);

    // The largest position: content below the client area, or 0.
    static int MaxPosition(int nContentHeight, int nClientHeight);

    static int Limit(std::int64_t nPos, int nContentHeight, int nClientHeight);

    static int NextPosition(UINT nCode, int nThumb, int nCurrent, int nContentHeight, int nClientHeight);

    // How far the children move: positive moves the content down.
    static int ContentShift(int nOldBarPos, int nNewPos);

    // The bar covers the content height itself (not one less) with a page of
    // the client height, and keeps the position it has.
    static SCROLLINFO ScrollInfo(int nContentHeight, int nClientHeight, int nBarPos);
};
