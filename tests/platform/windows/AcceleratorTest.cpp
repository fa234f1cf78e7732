#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTest>
#include <QWidget>

#include "RecordingDialog.h"
#include "TestInput.h"
#include "platform/windows/AcceleratorTable.h"
#include "platform/windows/CEdit.h"
#include "platform/windows/CMenu.h"
#include "platform/windows/CWinApp.h"
#include "platform/windows/KeyMessage.h"
#include "platform/windows/NativeWindow.h"

namespace {

using D = RecordingDialog;

// The editor's arrangement: the application offers every key to its table
// with the main window as the target.
class AcceleratedApp : public CWinApp {
public:
    HACCEL table = nullptr;
    int filtered = 0;
    BOOL ProcessMessageFilter(int code, MSG* msg) override {
        ++filtered;
        if (table != nullptr && m_pMainWnd != nullptr &&
            TranslateAccelerator(m_pMainWnd->GetSafeHwnd(), table, msg))
            return TRUE;
        return CWinApp::ProcessMessageFilter(code, msg);
    }
};

const std::vector<ACCEL>& EditorKeys() {
    static const std::vector<ACCEL> keys = {
            {FVIRTKEY | FCONTROL | FNOINVERT, 'O', static_cast<WORD>(D::kOpen)},
            {FVIRTKEY | FCONTROL | FNOINVERT, 'S', static_cast<WORD>(D::kSave)},
            {FVIRTKEY | FNOINVERT, VK_F1, 40008},
            {FVIRTKEY | FNOINVERT, VK_RETURN, static_cast<WORD>(D::kApply)},
    };
    return keys;
}

class AcceleratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.table = LoadAccelerators(EditorKeys());
        ASSERT_NE(app.table, nullptr);
        ASSERT_TRUE(dialog.Create());
        dialog.ShowWindow(SW_SHOW);
        app.m_pMainWnd = &dialog;
        edit = dialog.GetDlgItem(D::kEdit);
        ASSERT_NE(edit, nullptr);
        edit->SetFocus();
        // The edit's EN_SETFOCUS is not what these tests look for.
        TestInput::ProcessEvents();
        dialog.commands.clear();
    }
    void TearDown() override { DestroyAcceleratorTable(app.table); }

    AcceleratedApp app;
    RecordingDialog dialog;
    CWnd* edit = nullptr;
};

TEST_F(AcceleratorTest, KeysReachTheirCommandsBeforeTheFocusedControl) {
    TestInput::KeyClick(*edit, 'O', FCONTROL);
    ASSERT_EQ(dialog.commands.size(), 1u);
    EXPECT_EQ(dialog.commands[0].id, D::kOpen);
    EXPECT_EQ(dialog.commands[0].code, 1) << "accelerators send notification code 1";

    TestInput::KeyClick(*edit, VK_F1);
    EXPECT_TRUE(dialog.Received(40008));
    // Without Ctrl the letter is just typing.
    TestInput::KeyClick(*edit, 'O');
    EXPECT_EQ(edit->GetWindowText(), "o");
    int opens = 0;
    for (const auto& c : dialog.commands)
        opens += c.id == D::kOpen ? 1 : 0;
    EXPECT_EQ(opens, 1);
}

TEST_F(AcceleratorTest, AGrayedCommandsKeyIsConsumedAndRunsNothing) {
    TestInput::KeyClick(*edit, 'S', FCONTROL);
    TestInput::KeyClick(*edit, VK_RETURN);
    EXPECT_FALSE(dialog.Received(D::kSave));
    EXPECT_FALSE(dialog.Received(D::kApply));
    EXPECT_FALSE(dialog.Received(IDOK)) << "Enter must never reach the dialog's default handling";
    EXPECT_EQ(dialog.oks, 0);
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_TRUE(dialog.IsWindowVisible());

    dialog.GetMenu()->EnableMenuItem(D::kApply, MF_BYCOMMAND | MF_ENABLED);
    TestInput::KeyClick(*edit, VK_RETURN);
    EXPECT_TRUE(dialog.Received(D::kApply));
    EXPECT_FALSE(dialog.IsEnded());
}

TEST_F(AcceleratorTest, WithoutATableEnterIsTheDialogsOk) {
    DestroyAcceleratorTable(app.table);
    app.table = nullptr;
    TestInput::KeyClick(*edit, VK_RETURN);
    EXPECT_EQ(dialog.oks, 1);
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.GetEndResult(), IDOK);
}

TEST_F(AcceleratorTest, TheTableWinsOverToolkitShortcuts) {
    int shortcutFired = 0;
    auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+O")), dialog.GetSafeHwnd()->Widget());
    QObject::connect(shortcut, &QShortcut::activated, [&] { ++shortcutFired; });
    TestInput::KeyClick(*edit, 'O', FCONTROL);
    EXPECT_TRUE(dialog.Received(D::kOpen));
    EXPECT_EQ(shortcutFired, 0);
}

TEST_F(AcceleratorTest, KeysOfAnotherTopLevelWindowDoNotRunTheMainWindowsCommands) {
    // Even a dialog the main window owns, like an about box.
    RecordingDialog other(&RecordingDialog::Template(), &dialog);
    ASSERT_TRUE(other.Create());
    EXPECT_EQ(other.GetParent(), &dialog);
    other.ShowWindow(SW_SHOW);
    CWnd* otherEdit = other.GetDlgItem(D::kEdit);
    otherEdit->SetFocus();
    TestInput::KeyClick(*otherEdit, 'O', FCONTROL);
    EXPECT_FALSE(dialog.Received(D::kOpen));
}

TEST_F(AcceleratorTest, AnOpenMenuKeepsItsKeys) {
    dialog.GetMenu()->EnableMenuItem(D::kApply, MF_BYCOMMAND | MF_ENABLED);
    auto* bar = dialog.GetSafeHwnd()->Widget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    QMenu* file = bar->actions().at(0)->menu();
    ASSERT_NE(file, nullptr);
    QTest::keyClick(file, Qt::Key_Return);
    EXPECT_FALSE(dialog.Received(D::kApply));
}

TEST_F(AcceleratorTest, TheMainWindowPointerIsClearedWhenItsObjectGoes) {
    {
        RecordingDialog temporary;
        ASSERT_TRUE(temporary.Create());
        app.m_pMainWnd = &temporary;
    }
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(AcceleratorTableTest, ModifiersMustMatchExactly) {
    AcceleratorTable table(EditorKeys());
    EXPECT_NE(table.Find('O', FCONTROL), nullptr);
    EXPECT_EQ(table.Find('O', FCONTROL | FSHIFT), nullptr);
    EXPECT_EQ(table.Find('O', 0), nullptr);
    EXPECT_EQ(table.Find(VK_RETURN, FALT), nullptr);
    ASSERT_NE(table.Find(VK_RETURN, 0), nullptr);
    EXPECT_EQ(table.Find(VK_RETURN, 0)->cmd, D::kApply);
    EXPECT_EQ(LoadAccelerators(nullptr, 0), nullptr);
}

TEST(AcceleratorTableTest, OnlyKeyDownMessagesForALiveWindowTranslate) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HACCEL table = LoadAccelerators(EditorKeys());
    // The key's modifiers, as the key filter provides them for real keys.
    KeyMessage::Scope keyState(Qt::NoModifier, false);
    MSG up{dialog.GetSafeHwnd(), WM_KEYUP, VK_F1, 0};
    EXPECT_EQ(TranslateAccelerator(dialog.GetSafeHwnd(), table, &up), 0);
    MSG down{dialog.GetSafeHwnd(), WM_KEYDOWN, VK_F1, 0};
    EXPECT_EQ(TranslateAccelerator(dialog.GetSafeHwnd(), table, &down), 1);
    EXPECT_TRUE(dialog.Received(40008));
    HWND gone = dialog.GetSafeHwnd();
    dialog.DestroyWindow();
    EXPECT_EQ(TranslateAccelerator(gone, table, &down), 0);
    DestroyAcceleratorTable(table);
    EXPECT_EQ(TranslateAccelerator(nullptr, table, &down), 0);
}

} // namespace
