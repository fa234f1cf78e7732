// Files dropped on the editor's window from another program.

#include <gtest/gtest.h>

#include "DialogHarness.h"
#include "TestInput.h"

namespace {

using DropFilesTest = DialogHarness;

TEST_F(DropFilesTest, ARomOpensAfterTheApplyQuestionAndModulesLoadAsLoadModulesLoadsThem) {
    OpenAndModify();
    const std::string other = WriteRom("other.rom", 32, 20);
    const std::string beta = WriteModule("b.qlm", "Beta");
    m_modals.AnswerMessageBox(IDNO);
    // A module already listed stays once.
    EXPECT_TRUE(TestInput::DropFiles(m_dlg, {beta, other, PathOf("a.qlm")}));
    EXPECT_EQ(Messages(), std::vector<std::string>{kApplyQuestion});
    EXPECT_EQ(Document().Path(), other);
    EXPECT_EQ(ModuleTitles(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(ShownValue(), "20");

    // A module that fails, its name in capitals, says so as Load Modules does.
    m_modals.AnswerMessageBox(IDOK);
    EXPECT_TRUE(TestInput::DropFiles(m_dlg, {WriteBrokenModule("BROKEN.QLM")}));
    EXPECT_EQ(m_modals.MessageBoxes().back().caption, "Module Error");
    EXPECT_EQ(ModuleTitles(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(m_modals.UnusedAnswers(), 0);
}

TEST_F(DropFilesTest, SeveralRomsOpenNoneAndSayWhy) {
    Start();
    const std::string first = WriteRom("one.rom", 16);
    m_modals.AnswerMessageBox(IDOK);
    EXPECT_TRUE(TestInput::DropFiles(m_dlg, {first, WriteRom("two.rom", 16), WriteModule("a.qlm", "Alpha")}));
    EXPECT_EQ(Messages(),
              std::vector<std::string>{
                      "Quillmoor opens one ROM at a time: drop a single ROM file (with any .qlm modules)."});
    EXPECT_FALSE(Document().IsOpen());
    EXPECT_EQ(ModuleTitles(), std::vector<std::string>{"Alpha"});

    EXPECT_TRUE(TestInput::DropFiles(m_dlg, {first}));
    EXPECT_EQ(Document().Path(), first);
}

} // namespace
