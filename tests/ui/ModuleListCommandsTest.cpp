// Loading, switching and unloading modules through the dialog: the list and
// the selector stay in step, failures are reported once, and a module that
// becomes current is tested against the open ROM.

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

#include "DialogHarness.h"
#include "TestInput.h"
#include "platform/windows/CComboBox.h"
#include "res/resource.h"
#include "table/CTableModule.h"

namespace {

namespace fs = std::filesystem;

using Titles = std::vector<std::string>;

class ModuleListDialogTest : public DialogHarness {
protected:
    // Alpha has 4 entries, Beta 3 and Gamma 2, so the entry selector tells
    // whose form is built.
    void LoadThree() {
        LoadModules({WriteModule("a.qlm", "Alpha", 0, 4), WriteModule("b.qlm", "Beta", 0, 3),
                     WriteModule("c.qlm", "Gamma", 0, 2)});
        ASSERT_EQ(ModuleTitles(), (Titles{"Alpha", "Beta", "Gamma"}));
    }

    int Entries() { return EntryCombo()->GetCount(); }
};

TEST_F(ModuleListDialogTest, FailingModuleAmongThreeIsReportedOnceAndTheOthersLoadInOrder) {
    Start();
    const std::string broken = WriteBrokenModule("broken.qlm");
    m_modals.AnswerMessageBox(IDOK);
    LoadModules({WriteModule("a.qlm", "Alpha", 0, 4), broken, WriteModule("c.qlm", "Gamma", 0, 2)});

    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    const MessageBoxRequest& box = m_modals.MessageBoxes()[0];
    EXPECT_EQ(box.caption, "Module Error");
    EXPECT_EQ(box.type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(box.text.rfind("An error occurred while trying to load the module broken.qlm.\n\n", 0), 0u)
            << box.text;
    EXPECT_GT(box.text.size(),
              std::string("An error occurred while trying to load the module broken.qlm.\n\n").size());
    ASSERT_EQ(m_modals.FileDialogs().size(), 1u);
    EXPECT_EQ(m_modals.FileDialogs()[0].filter, "Quillmoor modules (*.qlm)|*.qlm|");
    EXPECT_EQ(m_modals.FileDialogs()[0].flags, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST);

    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha", "Gamma"}));
    EXPECT_EQ(State().modules.size(), 2u);
    EXPECT_EQ(State().CurrentModuleIndex(), 0);
    EXPECT_TRUE(ModuleSelector().IsWindowEnabled());
    EXPECT_TRUE(Enabled(ID_MODULES_UNLOAD));
    // No ROM: nothing to select from, and nothing that needs one is enabled.
    EXPECT_FALSE(EntryCombo()->IsWindowEnabled());
    EXPECT_FALSE(Enabled(ID_FILE_APPLY));

    ChooseModule(1);
    EXPECT_EQ(State().CurrentModuleIndex(), 1);
    EXPECT_EQ(State().modules[1]->m_strName, "Gamma");
    EXPECT_EQ(Entries(), 2);
}

TEST_F(ModuleListDialogTest, ListedPathsAreSkippedSilentlyButLetterCaseMakesAnotherPath) {
    Start();
    const std::string a = WriteModule("a.qlm", "Alpha");
    LoadModules({a, a});
    LoadModules({a});
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha"}));

    // The same file under a name that differs only in case, as a
    // case-insensitive folder would offer it: not the stored path.
    const std::string upper = PathOf("A.qlm");
    fs::create_symlink(a, upper);
    LoadModules({upper});
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha", "Alpha"}));
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
}

TEST_F(ModuleListDialogTest, LoadingMoreLeavesTheCurrentModuleAndEntryAlone) {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha", 0, 4)});
    OpenRom(WriteRom("game.rom", 32));
    TestInput::ChooseComboItem(*EntryCombo(), 2);
    ASSERT_EQ(ShownValue(), "8");

    LoadModules({WriteModule("b.qlm", "Beta", 0, 3)});
    EXPECT_EQ(State().CurrentModuleIndex(), 0);
    EXPECT_EQ(ModuleSelector().GetCurSel(), 0);
    EXPECT_EQ(EntryCombo()->GetCurSel(), 2);
    EXPECT_EQ(ShownValue(), "8");
}

TEST_F(ModuleListDialogTest, SwitchingModulesAlwaysReturnsToEntryZero) {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha", 0, 4), WriteModule("b.qlm", "Beta", 16, 3)});
    OpenRom(WriteRom("game.rom", 32));
    TestInput::ChooseComboItem(*EntryCombo(), 3);
    ASSERT_EQ(ShownValue(), "12");

    ChooseModule(1);
    EXPECT_EQ(Entries(), 3);
    EXPECT_EQ(ShownValue(), "16");
    ChooseModule(0);
    EXPECT_EQ(EntryCombo()->GetCurSel(), 0);
    EXPECT_EQ(ShownValue(), "0");
}

// (current before, titles after, current after)
using UnloadCase = std::tuple<int, Titles, int>;

class UnloadTest : public ModuleListDialogTest, public ::testing::WithParamInterface<UnloadCase> {};

TEST_P(UnloadTest, NextModuleMovesIntoTheGapOrTheNewLastBecomesCurrent) {
    const auto& [before, titles, after] = GetParam();
    Start();
    LoadThree();
    OpenRom(WriteRom("game.rom", 32));
    if (before != 0) ChooseModule(before);
    TestInput::ChooseComboItem(*EntryCombo(), 1);

    Click(ID_MODULES_UNLOAD);
    EXPECT_EQ(ModuleTitles(), titles);
    EXPECT_EQ(State().modules.size(), 2u);
    EXPECT_EQ(State().CurrentModuleIndex(), after);
    EXPECT_EQ(ModuleSelector().GetCurSel(), after);
    EXPECT_EQ(State().modules[static_cast<size_t>(after)]->m_strName, titles[static_cast<size_t>(after)]);
    EXPECT_EQ(Entries(), State().modules[static_cast<size_t>(after)]->m_nEntryCount);
    EXPECT_EQ(EntryCombo()->GetCurSel(), 0);
    EXPECT_EQ(ShownValue(), "0");
    EXPECT_TRUE(Enabled(ID_MODULES_UNLOAD));
}

INSTANTIATE_TEST_SUITE_P(FirstMiddleLast, UnloadTest,
                         ::testing::Values(UnloadCase{0, {"Beta", "Gamma"}, 0},
                                           UnloadCase{1, {"Alpha", "Gamma"}, 1},
                                           UnloadCase{2, {"Alpha", "Beta"}, 1}));

TEST_F(ModuleListDialogTest, UnloadingTheOnlyModuleDisablesTheSelectorsButKeepsSaveAndLink) {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha")});
    OpenRom(WriteRom("game.rom", 32));
    Click(ID_MODULES_UNLOAD);

    EXPECT_TRUE(State().modules.empty());
    EXPECT_EQ(State().CurrentModuleIndex(), -1);
    EXPECT_EQ(ModuleSelector().GetCount(), 0);
    EXPECT_FALSE(ModuleSelector().IsWindowEnabled());
    EXPECT_FALSE(EntryCombo()->IsWindowEnabled());
    EXPECT_EQ(EntryCombo()->GetCount(), 0);
    EXPECT_FALSE(Enabled(ID_MODULES_UNLOAD));
    EXPECT_FALSE(Enabled(ID_FILE_APPLY));
    for (UINT id : {UINT{ID_FILE_SAVEROM}, UINT{ID_MODULES_LINK}, UINT{ID_FILE_CLOSEROM}})
        EXPECT_TRUE(Enabled(id)) << id;

    // Save Rom still runs without a module and writes the image.
    WriteFile(Document().Path(), std::string(32, 'z'));
    m_modals.AnswerMessageBox(IDYES); // changed behind the editor: overwrite
    TestInput::KeyClick(m_dlg, 'S', FCONTROL);
    EXPECT_EQ(ReadFile(Document().Path()), ReadFile(WriteRom("copy.rom", 32)));
}

TEST_F(ModuleListDialogTest, IncompatibleFirstModuleIsReportedOnceAndCommandsAreEnabled) {
    Start();
    OpenRom(WriteRom("game.rom", 32));
    m_modals.AnswerMessageBox(IDOK);
    LoadModules({WriteModule("big.qlm", "Big", 0, 100), WriteModule("a.qlm", "Alpha")});
    EXPECT_EQ(Messages(), std::vector<std::string>{kIncompatible});
    EXPECT_EQ(State().CurrentModuleIndex(), 0);
    for (UINT id :
         {UINT{ID_FILE_APPLY}, UINT{ID_FILE_SAVEROM}, UINT{ID_MODULES_LINK}, UINT{ID_MODULES_UNLOAD}})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(EntryCombo()->IsWindowEnabled());
    EXPECT_EQ(ShownValue(), "");
}

TEST_F(ModuleListDialogTest, UnloadOntoAModuleThatDoesNotFitRefusesApplyUntilOneFits) {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha"), WriteModule("big.qlm", "Big", 0, 100),
                 WriteModule("b.qlm", "Beta")});
    OpenRom(WriteRom("game.rom", 32));
    m_modals.AnswerMessageBox(IDOK);
    Click(ID_MODULES_UNLOAD);
    EXPECT_EQ(Messages(), std::vector<std::string>{kIncompatible});
    EXPECT_EQ(ShownValue(), "");

    m_modals.AnswerMessageBox(IDOK);
    ApplyValue(3);
    EXPECT_EQ(CountMessages(kIncompatible), 2);
    EXPECT_FALSE(Document().IsModified());

    ChooseModule(1);
    ApplyValue(3);
    EXPECT_TRUE(Document().IsModified());
    EXPECT_EQ(Document().Data()[0], 3);
    EXPECT_EQ(m_modals.UnusedAnswers(), 0);
}

TEST_F(ModuleListDialogTest, ModuleErrorEndsWithTheLineAndFileThatFailed) {
    Start();
    // The value list fails on its third line, after a comment; CR LF ends one line.
    WriteFile(PathOf("kinds.txt"), "# kinds\r\n2\r\nNoSpace\r\n");
    const std::string module = PathOf("kinds.qlm");
    WriteFile(module, "1\nKinds\n0\n2\n1\nNULL\nNULL\nKind\n0\n1\n-D--\nkinds.txt\n");
    m_modals.AnswerMessageBox(IDOK);
    LoadModules({module});

    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_modals.MessageBoxes()[0].caption, "Module Error");
    EXPECT_EQ(m_modals.MessageBoxes()[0].text,
              "An error occurred while trying to load the module kinds.qlm.\n\n"
              "One or more lines in an element's dropbox value list are improperly formatted.\n\n"
              "(line 3 of kinds.txt)");
    EXPECT_TRUE(State().modules.empty());
}

TEST_F(ModuleListDialogTest, StartupModuleThatIsMissingIsSkippedSilently) {
    Start(PathOf("missing.qlm"));
    EXPECT_TRUE(State().modules.empty());
    EXPECT_FALSE(ModuleSelector().IsWindowEnabled());
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
}

TEST_F(ModuleListDialogTest, StartupModuleThatFailsToLoadIsReportedDuringStartup) {
    m_modals.AnswerMessageBox(IDOK);
    Start(WriteBrokenModule("broken.qlm"));
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_modals.MessageBoxes()[0].caption, "Module Error");
    EXPECT_TRUE(State().modules.empty());
    EXPECT_FALSE(ModuleSelector().IsWindowEnabled());
}

TEST_F(ModuleListDialogTest, StartupModuleBecomesCurrentWithoutATest) {
    Start(WriteModule("a.qlm", "Alpha"));
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha"}));
    EXPECT_EQ(State().CurrentModuleIndex(), 0);
    EXPECT_TRUE(ModuleSelector().IsWindowEnabled());
    EXPECT_TRUE(Enabled(ID_MODULES_UNLOAD));
    EXPECT_FALSE(Enabled(ID_FILE_APPLY));
    EXPECT_FALSE(EntryCombo()->IsWindowEnabled());
}

} // namespace
