// The bytes window as a user opens it (Ctrl+B, the View menu): it follows
// the entry shown through applies, undo, entry and module switches, the
// focus in the form and Close Rom; a dropbox whose bytes match no item
// shows its raw value there and in the form's tooltip. Also grabs the
// picture of the window on the bundled example for the user guide.

#include "ui/model/BytesWindow.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "DialogHarness.h"
#include "TestInput.h"
#include "platform/windows/CByteGrid.h"
#include "platform/windows/CComboBox.h"
#include "res/resource.h"
#include "ui/CScrollPanel.h"

namespace {

namespace fs = std::filesystem;

class BytesWindowTest : public DialogHarness {
protected:
    const EntryBytes& Shown() { return m_dlg.Bytes().Shown(); }
    int Byte(std::size_t at) { return Shown().Rows().at(0).cells.at(at).byte; }
    std::uint32_t RomOffset() { return Shown().Rows().at(0).romOffset; }
    CWnd& Control(int element) { return *Panel()->GetDlgItem(IDC_ELEMENT_BASE + element); }
    void ChooseEntry(int entry) { TestInput::ChooseComboItem(*EntryCombo(), entry); }
};

TEST_F(BytesWindowTest, FollowsAppliesUndoEntriesModulesFocusAndClose) {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha", 0, 4), WriteModule("b.qlm", "Beta", 4, 4)});
    OpenRom(WriteRom("game.rom", 32, 5));
    EXPECT_FALSE(m_dlg.Bytes().IsVisible());
    TestInput::KeyClick(m_dlg, 'B', FCONTROL);
    ASSERT_TRUE(m_dlg.Bytes().IsVisible());
    EXPECT_EQ(Shown().Heading(), "Alpha, 0x00 (4 bytes at 0x0)");
    EXPECT_EQ(Shown().Rows().at(0).Hex(), "05 06 07 08");
    // The grid paints what the provider gave.
    ASSERT_EQ(m_dlg.Bytes().Grid()->Content().rows.size(), 1u);
    EXPECT_EQ(m_dlg.Bytes().Grid()->Content().rows[0].cells[1].tip, "Kind");

    ApplyValue(99);
    EXPECT_EQ(Byte(0), 99);
    TestInput::KeyClick(m_dlg, 'Z', FCONTROL);
    EXPECT_EQ(Byte(0), 5);
    ChooseEntry(2);
    EXPECT_EQ(RomOffset(), 8u);
    EXPECT_EQ(Byte(0), 13);

    TestInput::Focus(Control(1));
    EXPECT_FALSE(Shown().Rows()[0].cells[0].outlined);
    EXPECT_TRUE(Shown().Rows()[0].cells[1].outlined);
    EXPECT_TRUE(Shown().Legend().at(1).outlined);

    // Another module: its own entry 0, and no outline until a control of its
    // form takes the focus.
    ChooseModule(1);
    EXPECT_EQ(Shown().Heading(), "Beta, 0x00 (4 bytes at 0x4)");
    EXPECT_EQ(Byte(0), 9);
    EXPECT_FALSE(Shown().Rows()[0].cells[1].outlined);

    TestInput::ClickMenuItem(m_dlg, ID_FILE_CLOSEROM);
    EXPECT_EQ(Shown().Heading(), "Beta: no entry shown.");
    EXPECT_TRUE(Shown().Rows().empty());

    // Closed with its close box, the menu brings it back up to date.
    TestInput::ClickCloseBox(*m_dlg.Bytes().Grid());
    EXPECT_FALSE(m_dlg.Bytes().IsVisible());
    ChooseModule(0);
    TestInput::ClickMenuItem(m_dlg, ID_VIEW_BYTES);
    EXPECT_EQ(Shown().Heading(), "Alpha: no entry shown.");
}

TEST_F(BytesWindowTest, DropboxMatchingNoItemShowsItsRawValueInTheTooltipAndTheWindow) {
    WriteFile(PathOf("two.txt"), "2\n6 Six\n7 Seven\n");
    const std::string module = PathOf("few.qlm");
    WriteFile(module, "1\nFew\n0\n4\n2\nNULL\nnone.tbl\nKind\n1\n1\n-D--\ntwo.txt\n");
    Start();
    LoadModules({module});
    // Entry i's byte 1 is 5 + 2i + 1: 6 (listed), 8 (not).
    OpenRom(WriteRom("game.rom", 8, 5));
    auto& kind = dynamic_cast<CComboBox&>(Control(0));
    EXPECT_EQ(kind.GetCurSel(), 0);
    EXPECT_EQ(kind.GetToolTip(), "");
    TestInput::KeyClick(m_dlg, 'B', FCONTROL);
    EXPECT_TRUE(Shown().Notes().empty());

    ChooseEntry(1);
    EXPECT_EQ(kind.GetCurSel(), -1);
    EXPECT_EQ(kind.GetToolTip(), "Kind: 0x08 (no item)");
    EXPECT_EQ(Shown().Notes(), (std::vector<std::string>{"Kind: 0x08 (no item)"}));
    EXPECT_EQ(m_dlg.Bytes().Grid()->Content().notes, Shown().Notes());
    ChooseEntry(0);
    EXPECT_EQ(kind.GetToolTip(), "");
}

TEST_F(BytesWindowTest, ScreenshotOfTheExample) {
    for (const auto& file : fs::directory_iterator(QUILL_EXAMPLE_DIR))
        if (file.is_regular_file()) fs::copy_file(file.path(), fs::path(Dir()) / file.path().filename());
    Start(PathOf("bestiary.qlm"));
    OpenRom(PathOf("bestiary.rom"));
    // Entry 22's habitat byte names no habitat.
    ChooseEntry(22);
    TestInput::KeyClick(m_dlg, 'B', FCONTROL);
    TestInput::Focus(Control(3));
    TestInput::ProcessEvents();
    EXPECT_EQ(Shown().Notes(), (std::vector<std::string>{"Habitat: 0x09 (no item)"}));
    EXPECT_TRUE(Shown().Rows()[0].cells[11].outlined);
    EXPECT_TRUE(TestInput::SaveScreenshot(*m_dlg.Bytes().Grid(), QUILL_BYTES_SCREENSHOT));
}

} // namespace
