#include <gtest/gtest.h>

#include <QLineEdit>

#include "RecordingDialog.h"
#include "TestInput.h"
#include "platform/windows/CEdit.h"
#include "platform/windows/NativeWindow.h"

namespace {

class EditTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create());
        dialog.ShowWindow(SW_SHOW);
        ASSERT_TRUE(edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                  CRect(340, 40, 443, 65), &dialog, 1009));
        edit.SetFocus();
    }

    RecordingDialog dialog;
    CEdit edit;
};

TEST_F(EditTest, LimitCapsTypingButNotTheProgramsText) {
    edit.LimitText(4);
    EXPECT_EQ(edit.GetLimitText(), 4u);
    TestInput::TypeText(edit, "abcdef");
    EXPECT_EQ(edit.GetWindowText(), "abcd");

    edit.SetWindowText("0123456789");
    EXPECT_EQ(edit.GetWindowText(), "0123456789") << "the program's text is never cut";
    TestInput::TypeText(edit, "x");
    EXPECT_EQ(edit.GetWindowText(), "0123456789") << "nothing more can be typed over the limit";
    TestInput::KeyClick(edit, VK_END);
    TestInput::KeyClick(edit, VK_BACK);
    EXPECT_EQ(edit.GetWindowText(), "012345678") << "but the text can be shortened";

    edit.LimitText(0);
    EXPECT_EQ(edit.GetLimitText(), 0x7FFFFFFEu);
    TestInput::TypeText(edit, "xyz");
    EXPECT_EQ(edit.GetWindowText(), "012345678xyz");
}

TEST_F(EditTest, PastedTextIsCutToWhatFitsWhereverItGoes) {
    auto* line = qobject_cast<QLineEdit*>(edit.GetSafeHwnd()->Widget());
    ASSERT_NE(line, nullptr);
    edit.LimitText(4);
    edit.SetWindowText("ab");
    line->setCursorPosition(1);
    line->insert(QStringLiteral("XYZ"));
    EXPECT_EQ(edit.GetWindowText(), "aXYb");
    // Replacing a selection with something shorter is always allowed.
    line->setSelection(1, 2);
    TestInput::TypeText(edit, "q");
    EXPECT_EQ(edit.GetWindowText(), "aqb");
}

TEST_F(EditTest, CreationTextSendsNoNotification) {
    dialog.commands.clear();
    CEdit named;
    ASSERT_TRUE(
            named.CreateEx(0, "EDIT", "initial", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &dialog, 1010));
    EXPECT_EQ(named.GetWindowText(), "initial");
    EXPECT_TRUE(dialog.commands.empty());
}

TEST_F(EditTest, AProgramsTextShowsFromItsStartWhateverWasTypedBefore) {
    auto* line = qobject_cast<QLineEdit*>(edit.GetSafeHwnd()->Widget());
    ASSERT_NE(line, nullptr);
    TestInput::TypeText(edit, "typed");
    edit.SetWindowText("BESTIARY EXAMPLE, A NAME FAR LONGER THAN THE BOX");
    EXPECT_EQ(line->cursorPosition(), 0);
    // The first character is the one at the box's left edge.
    EXPECT_LT(line->inputMethodQuery(Qt::ImCursorRectangle).toRect().x(), 8);
}

TEST_F(EditTest, LoweringTheLimitKeepsTheText) {
    edit.SetWindowText("abcdefgh");
    edit.LimitText(2);
    EXPECT_EQ(edit.GetWindowText(), "abcdefgh");
}

TEST_F(EditTest, AllByteValuesRoundTrip) {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    edit.SetWindowText(bytes);
    EXPECT_EQ(edit.GetWindowText(), bytes);
    EXPECT_EQ(edit.GetWindowTextLength(), 256);

    char buffer[8];
    EXPECT_EQ(edit.GetWindowText(buffer, 5), 4);
    EXPECT_EQ(std::string(buffer, 4), bytes.substr(0, 4));
}

TEST_F(EditTest, TypedHighLatin1SurvivesAndOtherCharactersBecomeQuestionMarks) {
    TestInput::TypeText(edit, "\xE9\xFF");
    EXPECT_EQ(edit.GetWindowText(), "\xE9\xFF");
    // What a keyboard may produce beyond one byte per character.
    edit.SetWindowText("");
    TestInput::TypeUtf8(edit, "\xE2\x82\xAC");
    EXPECT_EQ(edit.GetWindowText(), "?");
}

TEST_F(EditTest, ChangesNotifyTheParentWithTheControlsId) {
    dialog.commands.clear();
    TestInput::TypeText(edit, "a");
    ASSERT_FALSE(dialog.commands.empty());
    EXPECT_EQ(dialog.commands.back().id, 1009u);
    EXPECT_EQ(dialog.commands.back().code, EN_CHANGE);
    EXPECT_EQ(dialog.commands.back().source, reinterpret_cast<LPARAM>(edit.GetSafeHwnd()));
}

} // namespace
