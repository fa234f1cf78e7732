#include "ui/model/ScrollArithmetic.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

using A = ScrollArithmetic;

constexpr int kContent = 1000;
constexpr int kClient = 426;
constexpr int kMax = kContent - kClient;

int Next(UINT code, int current, int thumb = 0, int content = kContent, int client = kClient) {
    return A::NextPosition(code, thumb, current, content, client);
}

TEST(ScrollArithmetic, LinesAndPagesAreFixedSteps) {
    EXPECT_EQ(Next(SB_LINEDOWN, 0), 10);
    EXPECT_EQ(Next(SB_LINEUP, 30), 20);
    EXPECT_EQ(Next(SB_LINEUP, 5), 0);
    EXPECT_EQ(Next(SB_PAGEDOWN, 0), 20);
    EXPECT_EQ(Next(SB_PAGEUP, 50), 30);
    // The page step does not follow the panel's height.
    EXPECT_EQ(Next(SB_PAGEDOWN, 100, 0, 5000, 50), 120);
    EXPECT_EQ(Next(SB_PAGEDOWN, 100, 0, 5000, 2000), 120);
}

TEST(ScrollArithmetic, ThumbMovesAndIsLimitedToContentBelowClient) {
    EXPECT_EQ(Next(SB_THUMBTRACK, 0, 137), 137);
    EXPECT_EQ(Next(SB_THUMBPOSITION, 137, 300), 300);
    EXPECT_EQ(Next(SB_THUMBPOSITION, 0, kMax + 1), kMax);
    EXPECT_EQ(Next(SB_THUMBTRACK, 0, 99999), kMax);
    EXPECT_EQ(Next(SB_THUMBTRACK, 50, -20), 0);
    EXPECT_EQ(Next(SB_PAGEDOWN, kMax - 5), kMax);
}

TEST(ScrollArithmetic, TopAndCodesWithoutMovement) {
    EXPECT_EQ(Next(SB_TOP, 321), 0);
    EXPECT_EQ(Next(SB_BOTTOM, 321), 321);
    EXPECT_EQ(Next(SB_ENDSCROLL, 321), 321);
    EXPECT_EQ(Next(42u, 321), 321);
    // Codes that keep the position still re-apply the limits: a position left
    // behind by a shrunken content is pulled back.
    EXPECT_EQ(Next(SB_ENDSCROLL, 900), kMax);
    EXPECT_EQ(Next(SB_BOTTOM, -3), 0);
}

TEST(ScrollArithmetic, ContentShorterThanClientNeverScrolls) {
    for (UINT code = SB_LINEUP; code <= SB_ENDSCROLL; ++code)
        EXPECT_EQ(Next(code, 0, 250, 300, kClient), 0) << "code " << code;
    EXPECT_EQ(A::MaxPosition(300, kClient), 0);
    EXPECT_EQ(A::MaxPosition(kClient, kClient), 0);
}

TEST(ScrollArithmetic, ShiftMovesContentByOldBarMinusNew) {
    EXPECT_EQ(A::ContentShift(0, 10), -10);
    EXPECT_EQ(A::ContentShift(240, 0), 240);
    EXPECT_EQ(A::ContentShift(0, 0), 0);
}

TEST(ScrollArithmetic, BarCoversWholeContentWithClientPageAndKeepsPosition) {
    const SCROLLINFO info = A::ScrollInfo(kContent, kClient, 37);
    EXPECT_EQ(info.cbSize, 28u);
    EXPECT_EQ(info.fMask, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, kContent);
    EXPECT_EQ(info.nPage, static_cast<UINT>(kClient));
    EXPECT_EQ(info.nPos, 37);
    EXPECT_EQ(A::ScrollInfo(10, -4, 0).nPage, 0u);
}

// A row that gains the focus: top and bottom are where it lies in the client
// area now, the answer the position that shows it with the least movement.
TEST(ScrollArithmetic, PositionShowingMovesJustEnoughToShowTheChild) {
    const struct {
        int top, bottom, current, expected;
    } rows[] = {
            {40, 65, 100, 100},                      // wholly visible: stays
            {kClient - 10, kClient + 15, 100, 115},  // partly below: its bottom at the edge
            {kClient + 200, kClient + 225, 0, 225},  // far below
            {-10, 15, 100, 90},                      // partly above: its top at the edge
            {-300, -275, 300, 0},                    // far above
            {-5, kClient + 40, 100, 95},             // taller than the client: its top
            {kClient + 900, kClient + 925, 0, kMax}, // never past the end
    };
    for (const auto& row : rows)
        EXPECT_EQ(A::PositionShowing(row.top, row.bottom, row.current, kContent, kClient), row.expected)
                << row.top << ".." << row.bottom << " at " << row.current;
}

TEST(ScrollArithmetic, ExtremeValuesDoNotOverflow) {
    EXPECT_EQ(Next(SB_LINEDOWN, INT_MAX, 0, INT_MAX, 0), INT_MAX);
    EXPECT_EQ(Next(SB_PAGEUP, INT_MIN, 0, kContent, kClient), 0);
    EXPECT_EQ(A::MaxPosition(INT_MIN, INT_MAX), 0);
    EXPECT_EQ(A::MaxPosition(INT_MAX, INT_MIN), INT_MAX);
    EXPECT_EQ(A::ContentShift(INT_MIN, INT_MAX), INT_MIN);
}

} // namespace
