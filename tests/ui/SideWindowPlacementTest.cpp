// The table window opens where the user left it, in this run or the last.

#include <gtest/gtest.h>

#include "DialogHarness.h"
#include "SideWindowProbe.h"
#include "TestInput.h"
#include "res/resource.h"

namespace {

using SideWindowPlacementTest = DialogHarness;

// Each run is a dialog of its own; the store (the harness's sandbox) is
// what they share.
TEST_F(SideWindowPlacementTest, ClosedOrLeftOpenAtExitTheWindowComesBackThere) {
    SideWindowProbe table("TableWindow");
    std::vector<int> beside;
    {
        CEditorDlg run;
        ASSERT_TRUE(run.Create());
        TestInput::ClickMenuItem(run, ID_VIEW_TABLE);
        ASSERT_TRUE(table.Visible());
        beside = table.Placement();
        table.Place(60, 70, 400, 260);
        table.ClickCloseBox();
    }
    {
        CEditorDlg run;
        ASSERT_TRUE(run.Create());
        TestInput::ClickMenuItem(run, ID_VIEW_TABLE);
        EXPECT_EQ(table.Placement(), (std::vector<int>{60, 70, 400, 260}));
        EXPECT_NE(table.Placement(), beside);
        table.Place(90, 30, 380, 240);
    }
    CEditorDlg run;
    ASSERT_TRUE(run.Create());
    TestInput::ClickMenuItem(run, ID_VIEW_TABLE);
    EXPECT_EQ(table.Placement(), (std::vector<int>{90, 30, 380, 240}));
}

} // namespace
