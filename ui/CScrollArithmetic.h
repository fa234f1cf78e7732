#pragma once

#include <cstdint>

// The panel's scrolling rules, kept apart from any window so they can be
// checked without painting. Positions are pixels the content is scrolled up.
class CScrollArithmetic
{
public:
    // Scroll-bar request codes as the scroll bar and the dialog send them.
    enum Code : int
    {
        LineUp = 0,
        LineDown = 1,
        PageUp = 2,
        PageDown = 3,
        ThumbPosition = 4,
        ThumbTrack = 5,
        Top = 6,
        Bottom = 7,
        EndScroll = 8,
    };

    static constexpr int kLine = 10;
    // A page is a fixed step, not the panel's height.
    static constexpr int kPage = 20;

    struct Range
    {
        int nMin;
        int nMax;
        int nPage;
    };

    // Where a request moves the position, before the limits apply; codes
    // without a movement of their own keep the current position.
    static std::int64_t Requested(int nCode, int nThumb, int nCurrent);

    // The largest position: content below the client area, or 0.
    static int MaxPosition(int nContentHeight, int nClientHeight);

    static int Limit(std::int64_t nPos, int nContentHeight, int nClientHeight);

    static int NextPosition(int nCode, int nThumb, int nCurrent, int nContentHeight,
                            int nClientHeight);

    // How far the children move: positive moves the content down.
    static int ContentShift(int nOldBarPos, int nNewPos);

    // The range covers the content height itself, not one less.
    static Range ScrollRange(int nContentHeight, int nClientHeight);
};
