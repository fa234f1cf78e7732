#include "ui/CScrollPanel.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "TestInput.h"
#include "platform/windows/BitmapImage.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CDialog.h"
#include "platform/windows/CStatic.h"
#include "platform/windows/DialogTemplate.h"

namespace {

using Log = std::vector<std::string>;

// A parent that notes every command it is sent.
class RecordingDialog : public CDialog {
public:
    RecordingDialog(const DialogTemplate* dialogTemplate, Log& log) : CDialog(dialogTemplate), m_log(log) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND)
            m_log.push_back("parent " + std::to_string(LOWORD(wParam)) + "/" +
                            std::to_string(HIWORD(wParam)));
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    Log& m_log;
};

// A panel that notes when its own command processing runs.
class RecordingPanel : public CScrollPanel {
public:
    explicit RecordingPanel(Log& log) : m_log(log) {}

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        m_log.push_back("panel " + std::to_string(LOWORD(wParam)));
        return CScrollPanel::OnCommand(wParam, lParam);
    }

private:
    Log& m_log;
};

DialogTemplate ParentTemplate() {
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    t.cx = 330;
    t.cy = 300;
    t.caption = "panel host";
    return t;
}

class ScrollPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.Create());
        ASSERT_TRUE(m_panel.Create(CRect(12, 40, 481, 470), &m_parent, 1001));
        m_label.Create("row", WS_CHILD | WS_VISIBLE, CRect(10, 50, 110, 62), &m_panel, 1009);
        m_client = ClientHeight();
    }

    int ClientHeight() const {
        CRect client;
        m_panel.GetClientRect(client);
        return client.Height();
    }

    // Where the row sits now, in the panel's client coordinates.
    CRect LabelRect() const {
        CRect r;
        m_label.GetWindowRect(r);
        m_panel.ScreenToClient(r);
        return r;
    }

    void Scroll(UINT code, UINT thumb = 0) {
        m_panel.SendMessage(WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(thumb)), 0);
    }

    int BarPos() const { return m_panel.GetScrollPos(SB_VERT); }

    Log m_log;
    DialogTemplate m_template = ParentTemplate();
    RecordingDialog m_parent{&m_template, m_log};
    RecordingPanel m_panel{m_log};
    CStatic m_label;
    int m_client = 0;
};

TEST_F(ScrollPanelTest, CreatesBorderedScrollingChildWithBarOverContent) {
    // A visible child of the dialog, framed, whose children the dialog's
    // keyboard navigation steps into.
    EXPECT_TRUE(m_panel.IsWindowVisible());
    EXPECT_EQ(m_parent.GetDlgItem(1001), &m_panel);
    CRect window;
    m_panel.GetWindowRect(window);
    EXPECT_LT(m_client, window.Height()) << "no frame";
    EXPECT_EQ(m_panel.GetExStyle() & WS_EX_CONTROLPARENT, static_cast<DWORD>(WS_EX_CONTROLPARENT));
    EXPECT_TRUE(m_panel.IsScrollBarVisible(SB_VERT));
    SCROLLINFO info;
    ASSERT_TRUE(m_panel.GetScrollInfo(SB_VERT, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 1000);
    EXPECT_EQ(static_cast<int>(info.nPage), m_client);
    EXPECT_EQ(info.nPos, 0);
    EXPECT_GT(m_client, 300);
}

TEST_F(ScrollPanelTest, LinesAndPagesMoveChildrenByFixedSteps) {
    const LONG top = LabelRect().top;
    Scroll(SB_LINEDOWN);
    EXPECT_EQ(LabelRect().top, top - 10);
    EXPECT_EQ(BarPos(), 10);
    Scroll(SB_PAGEDOWN);
    EXPECT_EQ(LabelRect().top, top - 30);
    Scroll(SB_PAGEUP);
    Scroll(SB_LINEUP);
    EXPECT_EQ(LabelRect().top, top);
    EXPECT_EQ(BarPos(), 0);

    Scroll(SB_THUMBPOSITION, 5);
    Scroll(SB_LINEUP);
    EXPECT_EQ(BarPos(), 0);
    EXPECT_EQ(LabelRect().top, top);
}

TEST_F(ScrollPanelTest, ThumbTracksAndIsLimitedToTheEnd) {
    const LONG top = LabelRect().top;
    Scroll(SB_THUMBTRACK, 120);
    EXPECT_EQ(LabelRect().top, top - 120);
    Scroll(SB_THUMBTRACK, 200);
    EXPECT_EQ(LabelRect().top, top - 200);
    Scroll(SB_THUMBPOSITION, 999);
    const int end = 1000 - m_client;
    EXPECT_EQ(BarPos(), end);
    EXPECT_EQ(LabelRect().top, top - end);
    Scroll(SB_ENDSCROLL);
    Scroll(SB_BOTTOM);
    EXPECT_EQ(BarPos(), end);
    EXPECT_EQ(LabelRect().top, top - end);
}

TEST_F(ScrollPanelTest, TopReturnsByTheBarsPosition) {
    const LONG top = LabelRect().top;
    Scroll(SB_THUMBPOSITION, 77);
    Scroll(SB_TOP);
    EXPECT_EQ(BarPos(), 0);
    EXPECT_EQ(LabelRect().top, top);
}

TEST_F(ScrollPanelTest, ShortContentNeverScrolls) {
    m_panel.SetContentHeight(m_client - 100);
    const LONG top = LabelRect().top;
    for (UINT code : {SB_LINEDOWN, SB_PAGEDOWN, SB_THUMBTRACK, SB_THUMBPOSITION, SB_BOTTOM}) {
        Scroll(code, 40);
        EXPECT_EQ(BarPos(), 0) << "code " << code;
        EXPECT_EQ(LabelRect().top, top) << "code " << code;
    }
}

TEST_F(ScrollPanelTest, ContentHeightResetsRangeAndKeepsPositionWithinIt) {
    Scroll(SB_THUMBPOSITION, 300);
    m_panel.SetContentHeight(2000);
    SCROLLINFO info;
    ASSERT_TRUE(m_panel.GetScrollInfo(SB_VERT, &info));
    EXPECT_EQ(info.nMax, 2000);
    EXPECT_EQ(static_cast<int>(info.nPage), m_client);
    EXPECT_EQ(info.nPos, 300);

    // Shrinking the content below the position: the bar pulls the position
    // back and the rows must follow it, or they would end up out of reach.
    const LONG top = LabelRect().top + 300;
    m_panel.SetContentHeight(m_client + 50);
    const int bar = BarPos();
    EXPECT_LE(bar, 51);
    EXPECT_EQ(LabelRect().top, top - bar);
    Scroll(SB_LINEUP);
    EXPECT_EQ(LabelRect().top, top - (bar - 10));
    Scroll(SB_TOP);
    EXPECT_EQ(LabelRect().top, top);
}

TEST_F(ScrollPanelTest, ChildCommandsReachParentBeforeThePanel) {
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
                             CRect(10, 10, 200, 30), &m_panel, 1003));
    combo.AddString("zero");
    combo.AddString("one");
    // Its CBN_SETFOCUS takes the same way; only the choice is looked at here.
    combo.SetFocus();
    TestInput::ProcessEvents();
    m_log.clear();
    TestInput::ChooseComboItem(combo, 1);
    ASSERT_EQ(m_log.size(), 2u);
    EXPECT_EQ(m_log[0], "parent 1003/1");
    EXPECT_EQ(m_log[1], "panel 1003");

    m_log.clear();
    m_panel.SendMessage(WM_COMMAND, MAKEWPARAM(1012, EN_CHANGE), 0);
    ASSERT_EQ(m_log.size(), 2u);
    EXPECT_EQ(m_log[0], "parent 1012/768");
    EXPECT_EQ(m_log[1], "panel 1012");
}

TEST_F(ScrollPanelTest, BackgroundIsFilledEvenBelowShortContent) {
    m_label.ShowWindow(SW_HIDE);
    m_panel.SetContentHeight(40);
    m_panel.Invalidate();
    TestInput::ProcessEvents();
    const BitmapImage shot = TestInput::Grab(m_panel);
    ASSERT_FALSE(shot.IsNull());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t rgb =
            (std::uint32_t{GetRValue(face)} << 16) | (std::uint32_t{GetGValue(face)} << 8) | GetBValue(face);
    // Inside the frame, above and well below the content's bottom.
    EXPECT_EQ(shot.Pixel(20, 20) & 0xFFFFFFu, rgb);
    EXPECT_EQ(shot.Pixel(20, shot.Height() - 20) & 0xFFFFFFu, rgb);
}

} // namespace
