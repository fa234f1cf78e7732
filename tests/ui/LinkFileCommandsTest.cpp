// Link Rom To Modules and the link file read when a ROM opens, through the
// dialog: the bytes written, the lines read, and what happens to the list.

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "DialogHarness.h"
#include "TestInput.h"
#include "platform/windows/CComboBox.h"
#include "res/resource.h"
#include "table/CTableModule.h"

namespace {

namespace fs = std::filesystem;

using Titles = std::vector<std::string>;

class LinkFileDialogTest : public DialogHarness {
protected:
    void SetUp() override {
        m_a = WriteModule("a.qlm", "Alpha", 0, 4);
        m_b = WriteModule("b.qlm", "Beta", 16, 3);
        m_rom = WriteRom("game.rom", 32, 5);
        m_link = PathOf("game.ql.ini");
    }

    std::string m_a, m_b, m_link;
};

TEST_F(LinkFileDialogTest, WrittenListComesBackInOrderWhenTheRomIsReopened) {
    Start();
    LoadModules({m_a, m_b});
    OpenRom(m_rom);
    Click(ID_MODULES_LINK);
    EXPECT_EQ(ReadFile(m_link), m_a + "\r\n" + m_b + "\r\n");
    EXPECT_TRUE(m_modals.MessageBoxes().empty());

    // Another module takes their place before the ROM comes back.
    Click(ID_FILE_CLOSEROM);
    Click(ID_MODULES_UNLOAD);
    Click(ID_MODULES_UNLOAD);
    LoadModules({WriteModule("c.qlm", "Gamma", 0, 2)});
    OpenRom(m_rom);
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha", "Beta"}));
    EXPECT_EQ(State().CurrentModuleIndex(), 0);
    EXPECT_EQ(ModuleSelector().GetCurSel(), 0);
    EXPECT_EQ(EntryCombo()->GetCount(), 4);
    EXPECT_EQ(EntryCombo()->GetCurSel(), 0);
    EXPECT_EQ(ShownValue(), "5");
    for (UINT id : {UINT{ID_FILE_APPLY}, UINT{ID_FILE_SAVEROM}, UINT{ID_MODULES_LINK},
                    UINT{ID_MODULES_UNLOAD}, UINT{ID_FILE_CLOSEROM}})
        EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(LinkFileDialogTest, LfOnlyAndUnterminatedLinesReadTheSame) {
    Start();
    for (const std::string& text : {m_a + "\n" + m_b + "\n", m_a + "\r\n" + m_b}) {
        WriteFile(m_link, text);
        OpenRom(m_rom);
        // The list is replaced each time, never appended to.
        EXPECT_EQ(ModuleTitles(), (Titles{"Alpha", "Beta"})) << text;
    }
}

TEST_F(LinkFileDialogTest, BlankCommentAndDeletedLinesLoadNothingAndSayNothing) {
    const std::string deleted = WriteModule("gone.qlm", "Gone");
    fs::remove(deleted);
    WriteFile(m_link, "\r\n#" + m_b + "\r\n" + deleted + "\r\n" + m_a + "\r\n");
    Start();
    OpenRom(m_rom);
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha"}));
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
}

TEST_F(LinkFileDialogTest, EmptyLinkFileEmptiesTheList) {
    WriteFile(m_link, "");
    Start();
    LoadModules({m_a, m_b});
    ChooseModule(1);
    OpenRom(m_rom);
    EXPECT_TRUE(State().modules.empty());
    EXPECT_EQ(ModuleSelector().GetCount(), 0);
    EXPECT_EQ(State().CurrentModuleIndex(), -1);
    EXPECT_FALSE(ModuleSelector().IsWindowEnabled());
    EXPECT_FALSE(EntryCombo()->IsWindowEnabled());
    EXPECT_EQ(EntryCombo()->GetCount(), 0);
    EXPECT_TRUE(Enabled(ID_FILE_CLOSEROM));
    for (UINT id :
         {UINT{ID_FILE_SAVEROM}, UINT{ID_FILE_APPLY}, UINT{ID_MODULES_LINK}, UINT{ID_MODULES_UNLOAD}})
        EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(LinkFileDialogTest, RomNamesWithoutADotShareOneLinkFile) {
    Start();
    LoadModules({m_b});
    OpenRom(WriteRom("ROMFILE", 32));
    Click(ID_MODULES_LINK);
    EXPECT_EQ(ReadFile(PathOf(".ql.ini")), m_b + "\r\n");
    EXPECT_FALSE(fs::exists(PathOf("ROMFILE.ql.ini")));

    Click(ID_FILE_CLOSEROM);
    Click(ID_MODULES_UNLOAD);
    OpenRom(WriteRom("OTHER", 32));
    EXPECT_EQ(ModuleTitles(), (Titles{"Beta"}));
}

TEST_F(LinkFileDialogTest, RelativeLinesWithBackslashesResolveFromTheRomFolder) {
    fs::create_directories(PathOf("mods"));
    fs::rename(m_b, PathOf("mods/b.qlm"));
    fs::copy_file(PathOf("kinds.txt"), PathOf("mods/kinds.txt"));
    WriteFile(m_link, "mods\\b.qlm\r\n");
    Start();
    OpenRom(m_rom);
    EXPECT_EQ(ModuleTitles(), (Titles{"Beta"}));
    EXPECT_EQ(State().modules[0]->GetPath(), PathOf("mods/b.qlm"));
}

TEST_F(LinkFileDialogTest, LinkingWhileTheModuleDoesNotFitLeavesTheOldFileUntouched) {
    Start();
    LoadModules({WriteModule("big.qlm", "Big", 0, 100)});
    m_modals.AnswerMessageBox(IDOK);
    OpenRom(m_rom);
    WriteFile(m_link, "old contents\r\n");
    m_modals.AnswerMessageBox(IDOK);
    Click(ID_MODULES_LINK);
    EXPECT_EQ(CountMessages(kIncompatible), 2);
    EXPECT_EQ(ReadFile(m_link), "old contents\r\n");
}

TEST_F(LinkFileDialogTest, LinkingWithNoModuleLeftFollowsTheLastVerdict) {
    // Fitting module unloaded: an empty link file, which empties the list.
    Start();
    LoadModules({m_a});
    OpenRom(m_rom);
    Click(ID_MODULES_UNLOAD);
    Click(ID_MODULES_LINK);
    EXPECT_EQ(ReadFile(m_link), "");
    LoadModules({m_b});
    OpenRom(m_rom);
    EXPECT_TRUE(State().modules.empty());

    // A module that did not fit, unloaded: still refused.
    m_modals.AnswerMessageBox(IDOK);
    m_modals.AnswerMessageBox(IDOK);
    LoadModules({WriteModule("big.qlm", "Big", 0, 100)});
    Click(ID_MODULES_UNLOAD);
    WriteFile(m_link, m_a + "\r\n");
    Click(ID_MODULES_LINK);
    EXPECT_EQ(CountMessages(kIncompatible), 2);
    EXPECT_EQ(ReadFile(m_link), m_a + "\r\n");
}

TEST_F(LinkFileDialogTest, LinkFileNamingAModuleThatDoesNotFitWarnsOnce) {
    WriteFile(m_link, WriteModule("big.qlm", "Big", 0, 100) + "\r\n" + m_a + "\r\n");
    Start();
    LoadModules({m_b});
    m_modals.AnswerMessageBox(IDOK);
    OpenRom(m_rom);
    EXPECT_EQ(Messages(), std::vector<std::string>{kIncompatible});
    EXPECT_EQ(ModuleTitles(), (Titles{"Big", "Alpha"}));
}

TEST_F(LinkFileDialogTest, LinkFileThatCannotBeWrittenIsReported) {
    fs::create_directories(m_link); // even root cannot open a folder as a file
    Start();
    LoadModules({m_a});
    OpenRom(m_rom);
    m_modals.AnswerMessageBox(IDOK);
    Click(ID_MODULES_LINK);
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_modals.MessageBoxes()[0].text.rfind("Cannot create " + m_link + ": ", 0), 0u)
            << m_modals.MessageBoxes()[0].text;
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha"}));
}

TEST_F(LinkFileDialogTest, LinkFileThatCannotBeReadIsReportedAndTheListKept) {
    // Opens, even for root, and fails at the first read.
    fs::create_symlink("/proc/self/mem", m_link);
    Start();
    LoadModules({m_a});
    m_modals.AnswerMessageBox(IDOK);
    OpenRom(m_rom);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Cannot read " + m_link + ": Input/output error"});
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha"}));
    // The kept module meets the new image as it would without a link file.
    EXPECT_EQ(ShownValue(), "5");
    EXPECT_TRUE(Enabled(ID_FILE_APPLY));
}

TEST_F(LinkFileDialogTest, OneOpenLoadsEachModuleOnceAndReportsItsFailuresInOneBox) {
    // The link file naming itself, and one module, over and over; then
    // five distinct broken modules.
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += m_link + "\n" + m_a + "\n";
    for (int i = 0; i < 5; ++i)
        lines += WriteBrokenModule("broken" + std::to_string(i) + ".qlm") + "\n";
    WriteFile(m_link, lines);
    Start();
    m_modals.AnswerMessageBox(IDOK);
    OpenRom(m_rom);
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_modals.MessageBoxes()[0].caption, "Module Error");
    EXPECT_NE(Messages()[0].find("6 modules of the link file could not be loaded"), std::string::npos);
    EXPECT_NE(Messages()[0].find("... and 3 more."), std::string::npos);
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha"}));
}

} // namespace
