#include <gtest/gtest.h>

#include <QLineEdit>
#include <QScrollBar>

#include "RecordingDialog.h"
#include "TestInput.h"
#include "platform/windows/CDC.h"
#include "platform/windows/CEdit.h"
#include "platform/windows/NativeWindow.h"
#include "platform/windows/ScrollBarState.h"

namespace {

TEST(ScrollBarStateTest, Win32RangeArithmetic) {
    ScrollBarState bar;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = 1000;
    info.nPage = 424;
    info.nPos = 0;
    EXPECT_EQ(bar.SetInfo(info), 0);
    EXPECT_EQ(bar.MaxPos(), 577) << "nMax - nPage + 1";
    EXPECT_EQ(bar.SetPos(5000), 0);
    EXPECT_EQ(bar.Pos(), 577);
    EXPECT_TRUE(bar.Enabled());

    // A shorter content pulls the position back into the new range.
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = 435;
    info.nPos = bar.Pos();
    EXPECT_EQ(bar.SetInfo(info), 12);

    info.nMax = 405;
    EXPECT_EQ(bar.SetInfo(info), 0);
    EXPECT_FALSE(bar.CanScroll());
    EXPECT_EQ(bar.Page(), 406u) << "the page never exceeds the range";
    EXPECT_FALSE(bar.Enabled()) << "SIF_DISABLENOSCROLL disables instead of hiding";

    info.nMax = 1000;
    bar.SetInfo(info);
    EXPECT_TRUE(bar.Enabled());
    EXPECT_TRUE(bar.EnableArrows(ESB_DISABLE_BOTH));
    EXPECT_FALSE(bar.EnableArrows(ESB_DISABLE_BOTH)) << "no change reports FALSE";
    EXPECT_FALSE(bar.Enabled());
    SCROLLINFO out;
    bar.GetInfo(out, SIF_ALL);
    EXPECT_EQ(out.nMax, 1000);
    EXPECT_EQ(out.nPage, 424u);
}

// A scrolling window of the test's own: records requests, moves to the
// requested line like the editor's panel, and paints the top of its
// background red.
class ScrollingWindow : public CWnd {
public:
    std::vector<std::pair<UINT, UINT>> requests;
    void OnVScroll(UINT code, UINT pos, CScrollBar*) override {
        requests.emplace_back(code, pos);
        if (code == SB_LINEDOWN) SetScrollPos(SB_VERT, GetScrollPos(SB_VERT) + 10);
    }
    BOOL OnEraseBkgnd(CDC* dc) override {
        CRect client;
        GetClientRect(client);
        client.bottom = 100;
        dc->FillSolidRect(client, RGB(255, 0, 0));
        return TRUE;
    }
};

class ScrollWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(panel.CreateEx(WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, nullptr, nullptr, 0x50A00000,
                                   CRect(12, 40, 481, 470), &dialog, 1001));
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMax = 1000;
        CRect client;
        panel.GetClientRect(client);
        info.nPage = static_cast<UINT>(client.Height());
        panel.SetScrollInfo(SB_VERT, &info);
    }
    QScrollBar* Bar() { return panel.GetSafeHwnd()->Widget()->findChild<QScrollBar*>(); }

    RecordingDialog dialog;
    ScrollingWindow panel;
};

TEST_F(ScrollWindowTest, ClientAreaExcludesFrameAndScrollBar) {
    CRect client;
    panel.GetClientRect(client);
    EXPECT_EQ(client, CRect(0, 0, 469 - 2 * 3 - 17, 430 - 2 * 3));
    EXPECT_TRUE(panel.IsScrollBarVisible(SB_VERT));
    panel.ShowScrollBar(SB_VERT, FALSE);
    panel.GetClientRect(client);
    EXPECT_EQ(client.Width(), 469 - 2 * 3) << "a hidden bar gives its width to the client area";
}

TEST(ScrollWindowHiddenTest, ClientAreaIsRightBeforeTheParentShows) {
    DialogTemplate hidden = RecordingDialog::Template();
    hidden.style &= ~WS_VISIBLE;
    RecordingDialog dialog(&hidden);
    ASSERT_TRUE(dialog.Create());
    ASSERT_FALSE(dialog.IsWindowVisible());
    CWnd panel;
    ASSERT_TRUE(panel.CreateEx(WS_EX_CLIENTEDGE, nullptr, nullptr, 0x50A00000, CRect(12, 40, 481, 470),
                               &dialog, 1));
    CRect client;
    panel.GetClientRect(client);
    EXPECT_EQ(client, CRect(0, 0, 446, 424));
    panel.MoveWindow(0, 0, 200, 100);
    panel.GetClientRect(client);
    EXPECT_EQ(client, CRect(0, 0, 200 - 6 - 17, 100 - 6));
}

TEST_F(ScrollWindowTest, ScrollWindowMovesChildrenShownOrNot) {
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, "STATIC", "row", WS_CHILD | WS_VISIBLE, CRect(10, 45, 199, 70), &panel,
                               0xFFFF));
    panel.ScrollWindow(0, -20);
    CRect rect;
    child.GetWindowRect(rect);
    panel.ScreenToClient(rect);
    EXPECT_EQ(rect, CRect(10, 25, 199, 50));

    dialog.ShowWindow(SW_SHOW);
    panel.ScrollWindow(0, 15);
    child.GetWindowRect(rect);
    panel.ScreenToClient(rect);
    EXPECT_EQ(rect, CRect(10, 40, 199, 65));
}

// A row below the client area takes its text at once for the program, and
// shows it when it is scrolled into view.
TEST_F(ScrollWindowTest, AnEditOutOfViewHoldsItsTextUntilItComesIntoView) {
    dialog.ShowWindow(SW_SHOW);
    CEdit edit;
    ASSERT_TRUE(edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", nullptr, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                              CRect(340, 600, 443, 625), &panel, 1009));
    auto* line = qobject_cast<QLineEdit*>(edit.GetSafeHwnd()->Widget());
    ASSERT_NE(line, nullptr);
    edit.SetWindowText("far below");
    EXPECT_EQ(edit.GetWindowText(), "far below");
    EXPECT_FALSE(line->updatesEnabled());

    panel.ScrollWindow(0, -400);
    EXPECT_TRUE(line->updatesEnabled());
    EXPECT_EQ(line->text(), QStringLiteral("far below"));
    EXPECT_EQ(edit.GetWindowText(), "far below");
    panel.ScrollWindow(0, 400);
    EXPECT_FALSE(line->updatesEnabled());
}

TEST_F(ScrollWindowTest, UserActionsArriveAsRequestsAndTheBarFollowsTheProgram) {
    dialog.ShowWindow(SW_SHOW);
    QScrollBar* bar = Bar();
    ASSERT_NE(bar, nullptr);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(panel.requests.size(), 1u);
    EXPECT_EQ(panel.requests[0].first, SB_LINEDOWN);
    EXPECT_EQ(panel.GetScrollPos(SB_VERT), 10);
    EXPECT_EQ(bar->value(), 10);

    // The program ignores page requests: the bar stays where it was.
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(panel.requests.back().first, SB_PAGEDOWN);
    EXPECT_EQ(bar->value(), 10);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(panel.requests.back().first, SB_TOP);

    // Dragging: the thumb position travels with the request.
    bar->setSliderDown(true);
    bar->setSliderPosition(300);
    EXPECT_EQ(panel.requests.back(), std::make_pair(SB_THUMBTRACK, 300u));
    bar->setSliderDown(false);
    EXPECT_EQ(panel.requests.back().first, SB_ENDSCROLL);
    EXPECT_EQ(panel.requests[panel.requests.size() - 2].first, SB_THUMBPOSITION);

    panel.EnableScrollBar(SB_VERT, ESB_DISABLE_BOTH);
    EXPECT_FALSE(panel.IsScrollBarEnabled(SB_VERT));
    EXPECT_FALSE(bar->isEnabled());
}

TEST_F(ScrollWindowTest, BackgroundIsWhatEraseBkgndPaints) {
    const BitmapImage image = TestInput::Grab(panel);
    ASSERT_FALSE(image.IsNull());
    // Client area starts inside the 3-pixel frame.
    EXPECT_EQ(image.Pixel(3 + 20, 3 + 50), 0xFFFF0000u);
    EXPECT_NE(image.Pixel(3 + 20, 3 + 150), 0xFFFF0000u);
}

} // namespace
