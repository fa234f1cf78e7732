#include "CScrollArithmetic.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using A = CScrollArithmetic;

constexpr int kContent = 1000;
constexpr int kClient = 426;
constexpr int kMax = kContent - kClient;

int Next(int code, int current, int thumb = 0, int content = kContent, int client = kClient)
{
    return A::NextPosition(code, thumb, current, content, client);
}

TEST(ScrollArithmetic, LinesAndPagesAreFixedSteps)
{
    EXPECT_EQ(Next(A::LineDown, 0), 10);
    EXPECT_EQ(Next(A::LineUp, 30), 20);
    EXPECT_EQ(Next(A::LineUp, 5), 0);
    EXPECT_EQ(Next(A::PageDown, 0), 20);
    EXPECT_EQ(Next(A::PageUp, 50), 30);
    // The page step does not follow the panel's height.
    EXPECT_EQ(Next(A::PageDown, 100, 0, 5000, 50), 120);
    EXPECT_EQ(Next(A::PageDown, 100, 0, 5000, 2000), 120);
}

TEST(ScrollArithmetic, ThumbMovesAndIsLimitedToContentBelowClient)
{
    EXPECT_EQ(Next(A::ThumbTrack, 0, 137), 137);
    EXPECT_EQ(Next(A::ThumbPosition, 137, 300), 300);
    EXPECT_EQ(Next(A::ThumbPosition, 0, kMax + 1), kMax);
    EXPECT_EQ(Next(A::ThumbTrack, 0, 99999), kMax);
    EXPECT_EQ(Next(A::ThumbTrack, 50, -20), 0);
    EXPECT_EQ(Next(A::PageDown, kMax - 5), kMax);
}

TEST(ScrollArithmetic, TopAndCodesWithoutMovement)
{
    EXPECT_EQ(Next(A::Top, 321), 0);
    EXPECT_EQ(Next(A::Bottom, 321), 321);
    EXPECT_EQ(Next(A::EndScroll, 321), 321);
    EXPECT_EQ(Next(42, 321), 321);
    // Codes that keep the position still re-apply the limits: a position left
    // behind by a shrunken content is pulled back.
    EXPECT_EQ(Next(A::EndScroll, 900), kMax);
    EXPECT_EQ(Next(A::Bottom, -3), 0);
}

TEST(ScrollArithmetic, ContentShorterThanClientNeverScrolls)
{
    for (int code = A::LineUp; code <= A::EndScroll; ++code)
        EXPECT_EQ(Next(code, 0, 250, 300, kClient), 0) << "code " << code;
    EXPECT_EQ(A::MaxPosition(300, kClient), 0);
    EXPECT_EQ(A::MaxPosition(kClient, kClient), 0);
}

TEST(ScrollArithmetic, ShiftMovesContentByOldBarMinusNew)
{
    EXPECT_EQ(A::ContentShift(0, 10), -10);
    EXPECT_EQ(A::ContentShift(240, 0), 240);
    EXPECT_EQ(A::ContentShift(0, 0), 0);
}

TEST(ScrollArithmetic, RangeIsWholeContentWithClientPage)
{
    const A::Range r = A::ScrollRange(kContent, kClient);
    EXPECT_EQ(r.nMin, 0);
    EXPECT_EQ(r.nMax, kContent);
    EXPECT_EQ(r.nPage, kClient);
    EXPECT_EQ(A::ScrollRange(10, -4).nPage, 0);
}

TEST(ScrollArithmetic, ExtremeValuesDoNotOverflow)
{
    EXPECT_EQ(Next(A::LineDown, INT_MAX, 0, INT_MAX, 0), INT_MAX);
    EXPECT_EQ(Next(A::PageUp, INT_MIN, 0, kContent, kClient), 0);
    EXPECT_EQ(A::MaxPosition(INT_MIN, INT_MAX), 0);
    EXPECT_EQ(A::MaxPosition(INT_MAX, INT_MIN), INT_MAX);
    EXPECT_EQ(A::ContentShift(INT_MIN, INT_MAX), INT_MIN);
}

} // namespace
