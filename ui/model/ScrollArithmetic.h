#pragma once

#include <cstdint>

#include "platform/win32/WinConstants.h"

// The panel's scrolling rules, kept apart from any window so they can be
// checked without painting. Positions are pixels the content is scrolled up.
class ScrollArithmetic {
public:
    static constexpr int kLine = 10;
    // A page is a fixed step, not the panel's height.
    static constexpr int kPage = 20;
    // Line steps per notch of the wheel, as desktops scroll by default.
    static constexpr int kWheelLines = 3;

    // Where a request moves the position, before the limits apply; codes
    // without a movement of their own keep the current position.
    static std::int64_t Requested(UINT code, int thumb, int current);

    // The largest position: content below the client area, or 0.
    static int MaxPosition(int contentHeight, int clientHeight);

    static int Limit(std::int64_t pos, int contentHeight, int clientHeight);

    static int NextPosition(UINT code, int thumb, int current, int contentHeight, int clientHeight);

    // The nearest position at which a child that now spans top to bottom
    // of the client area (negative: above it) is wholly visible; one taller
    // than the client area shows its top.
    static int PositionShowing(int top, int bottom, int current, int contentHeight, int clientHeight);

    // How far the children move: positive moves the content down.
    static int ContentShift(int oldBarPos, int newPos);

    // The bar covers the content height itself (not one less) with a page of
    // the client height, and keeps the position it has.
    static SCROLLINFO ScrollInfo(int contentHeight, int clientHeight, int barPos);
};
