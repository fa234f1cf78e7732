#include <gtest/gtest.h>

#include <QAction>

#include "RecordingDialog.h"
#include "TestInput.h"
#include "platform/windows/CMenu.h"
#include "platform/windows/NativeMenu.h"
#include "platform/windows/NativeWindow.h"

namespace {

using D = RecordingDialog;

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create());
        menu = CMenu::FromHandle(::GetMenu(dialog.GetSafeHwnd()));
        ASSERT_NE(menu, nullptr);
        // The first control's EN_SETFOCUS is not what these tests look for.
        TestInput::ProcessEvents();
        dialog.commands.clear();
    }
    RecordingDialog dialog;
    CMenu* menu = nullptr;
};

TEST_F(MenuTest, TemplateStatesAndTextsByCommandId) {
    EXPECT_EQ(menu, dialog.GetMenu()) << "one object per menu bar";
    EXPECT_EQ(menu->GetMenuItemCount(), 2);
    EXPECT_EQ(menu->GetMenuState(D::kOpen, MF_BYCOMMAND), MF_ENABLED);
    EXPECT_EQ(menu->GetMenuState(D::kSave, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(menu->GetMenuState(D::kApply, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(menu->GetMenuState(D::kAssociate, MF_BYCOMMAND), MF_UNCHECKED);
    EXPECT_EQ(menu->GetMenuState(4242, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(menu->GetMenuString(D::kOpen, MF_BYCOMMAND), "&Open Rom...\tCtrl+O");
    EXPECT_EQ(menu->GetMenuString(1, MF_BYPOSITION), "&Modules");
}

TEST_F(MenuTest, EnableAndCheckReturnThePreviousState) {
    EXPECT_EQ(menu->EnableMenuItem(D::kSave, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(menu->EnableMenuItem(D::kSave, MF_BYCOMMAND | MF_ENABLED), MF_ENABLED);
    EXPECT_EQ(::EnableMenuItem(menu->GetSafeHmenu(), D::kSave, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(menu->GetMenuState(D::kSave, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(menu->EnableMenuItem(4242, MF_GRAYED), static_cast<UINT>(-1));

    // An item draws a check box only once it has carried a check mark.
    const auto checkable = [&](UINT id) {
        return dialog.GetSafeHwnd()->Menu()->Find(id, MF_BYCOMMAND)->isCheckable();
    };
    EXPECT_FALSE(checkable(D::kAssociate));
    EXPECT_FALSE(checkable(D::kOpen));
    EXPECT_EQ(menu->CheckMenuItem(D::kAssociate, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_TRUE(checkable(D::kAssociate));
    EXPECT_EQ(menu->CheckMenuItem(D::kAssociate, MF_BYCOMMAND | MF_CHECKED), MF_CHECKED);
    EXPECT_EQ(menu->GetMenuState(D::kAssociate, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(::CheckMenuItem(menu->GetSafeHmenu(), D::kAssociate, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(menu->CheckMenuItem(4242, MF_CHECKED), static_cast<DWORD>(-1));
}

TEST_F(MenuTest, ChoosingAnItemSendsItsCommandAndLeavesTheCheckMarkAlone) {
    TestInput::ClickMenuItem(dialog, D::kOpen);
    ASSERT_EQ(dialog.commands.size(), 1u);
    EXPECT_EQ(dialog.commands[0].id, D::kOpen);
    EXPECT_EQ(dialog.commands[0].code, 0);
    EXPECT_EQ(dialog.commands[0].source, 0);

    TestInput::ClickMenuItem(dialog, D::kAssociate);
    EXPECT_EQ(menu->GetMenuState(D::kAssociate, MF_BYCOMMAND), MF_UNCHECKED)
            << "only the program sets the check mark";

    dialog.commands.clear();
    TestInput::ClickMenuItem(dialog, D::kSave);
    EXPECT_TRUE(dialog.commands.empty()) << "a grayed item sends nothing";
}

TEST_F(MenuTest, ItemsAreAddedChangedAndTakenAwayByCommand) {
    NativeMenu& native = *dialog.GetSafeHwnd()->Menu();
    EXPECT_TRUE(menu->InsertMenu(D::kSave, MF_BYCOMMAND, 500, "&Recent"));
    EXPECT_FALSE(menu->InsertMenu(4242, MF_BYCOMMAND, 501, "x"));
    EXPECT_FALSE(menu->InsertMenu(0, MF_BYPOSITION, 501, "x"));
    const QList<QAction*> items =
            qobject_cast<QWidget*>(native.Find(D::kSave, MF_BYCOMMAND)->parent())->actions();
    EXPECT_EQ(items.indexOf(native.Find(500, MF_BYCOMMAND)) + 1,
              items.indexOf(native.Find(D::kSave, MF_BYCOMMAND)));
    TestInput::ClickMenuItem(dialog, 500);
    ASSERT_EQ(dialog.commands.size(), 1u);
    EXPECT_EQ(dialog.commands[0].id, 500u);

    EXPECT_TRUE(menu->ModifyMenu(500, MF_BYCOMMAND | MF_GRAYED, 502, "&Other"));
    EXPECT_EQ(menu->GetMenuState(500, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(menu->GetMenuState(502, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(menu->GetMenuString(502, MF_BYCOMMAND), "&Other");

    EXPECT_TRUE(menu->DeleteMenu(502, MF_BYCOMMAND));
    EXPECT_FALSE(menu->DeleteMenu(502, MF_BYCOMMAND));
    EXPECT_EQ(menu->GetMenuState(502, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(MenuTest, TheMenuGoesWithItsWindow) {
    HMENU handle = menu->GetSafeHmenu();
    dialog.DestroyWindow();
    EXPECT_EQ(CMenu::FromHandle(handle), nullptr);
    EXPECT_EQ(::EnableMenuItem(handle, D::kOpen, MF_GRAYED), static_cast<UINT>(-1));
    EXPECT_EQ(dialog.GetMenu(), nullptr);
}

} // namespace
