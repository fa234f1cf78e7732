// File > Recent Roms: what it lists, how it names the files, and choosing
// one through the menu.

#include "ui/RecentRoms.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "DialogHarness.h"
#include "TestInput.h"
#include "platform/windows/CMenu.h"
#include "res/resource.h"

namespace {

namespace fs = std::filesystem;

class RecentRomsTest : public DialogHarness {
protected:
    // The submenu's items as the menu shows them, top down.
    std::vector<std::string> Items() {
        std::vector<std::string> texts;
        for (UINT id = ID_FILE_MRU_FIRST; id <= ID_FILE_MRU_LAST; ++id) {
            const std::string text = m_dlg.GetMenu()->GetMenuString(id, MF_BYCOMMAND);
            if (!text.empty()) texts.push_back(text);
        }
        return texts;
    }
};

TEST_F(RecentRomsTest, NewestFirstTenAtMostWithMnemonicsAndKeptInTheStore) {
    Start();
    EXPECT_EQ(Items(), std::vector<std::string>{"(empty)"});
    EXPECT_FALSE(Enabled(ID_FILE_MRU_FIRST));

    std::vector<std::string> paths;
    for (int i = 0; i < 11; ++i) {
        paths.push_back(WriteRom("r" + std::to_string(i) + ".rom", 8));
        OpenRom(paths.back());
    }
    // Opening one already listed moves it to the top.
    OpenRom(paths[4]);
    EXPECT_EQ(Items(),
              (std::vector<std::string>{"&1 r4.rom", "&2 r10.rom", "&3 r9.rom", "&4 r8.rom", "&5 r7.rom",
                                        "&6 r6.rom", "&7 r5.rom", "&8 r3.rom", "&9 r2.rom", "1&0 r1.rom"}));
    EXPECT_TRUE(Enabled(ID_FILE_MRU_FIRST + 9));
    EXPECT_EQ(RecentRoms::Recall().front(), paths[4]);
    EXPECT_EQ(RecentRoms::Recall().size(), 10u);

    // Two files of one name show their folders; a '&' in a name is shown.
    fs::create_directory(PathOf("b"));
    OpenRom(WriteRom("b/r2.rom", 8));
    EXPECT_EQ(Items().front(), "&1 r2.rom (" + Dir() + "b/)");
    EXPECT_EQ(Items().back(), "1&0 r2.rom (" + Dir() + ")");
    OpenRom(WriteRom("x&y.rom", 8));
    EXPECT_EQ(Items().front(), "&1 x&&y.rom");
    EXPECT_EQ(Items()[1], "&2 r2.rom");
    EXPECT_EQ(Items().back(), "1&0 r3.rom");
}

TEST_F(RecentRomsTest, ChoosingOneOpensItAsOpenRomDoesAndOneThatWentLeavesTheList) {
    const std::string other = WriteRom("other.rom", 32, 1);
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha")});
    OpenRom(other);
    m_rom = WriteRom("game.rom", 32, 5);
    OpenRom(m_rom);
    ApplyValue(99);
    m_modals.AnswerMessageBox(IDNO);
    Click(ID_FILE_MRU_FIRST + 1);
    EXPECT_EQ(Messages(), std::vector<std::string>{kApplyQuestion});
    EXPECT_EQ(Document().Path(), other);
    EXPECT_EQ(Title(), "Quillmoor - other.rom");
    EXPECT_EQ(ShownValue(), "1");
    EXPECT_EQ(Items(), (std::vector<std::string>{"&1 other.rom", "&2 game.rom"}));

    fs::remove(m_rom);
    m_modals.AnswerMessageBox(IDOK);
    Click(ID_FILE_MRU_FIRST + 1);
    EXPECT_EQ(Messages().back(), m_rom + " no longer exists; it was removed from Recent Roms.");
    EXPECT_EQ(Document().Path(), other);
    EXPECT_EQ(Items(), std::vector<std::string>{"&1 other.rom"});
    EXPECT_EQ(RecentRoms::Recall(), std::vector<std::string>{other});
    EXPECT_EQ(m_modals.UnusedAnswers(), 0);
}

} // namespace
