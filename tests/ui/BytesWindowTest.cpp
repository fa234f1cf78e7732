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
#include "SideWindowProbe.h"
#include "TestInput.h"
#include "platform/windows/CComboBox.h"
#include "res/resource.h"
#include "ui/CScrollPanel.h"

namespace {

namespace fs = std::filesystem;

class BytesWindowTest : public DialogHarness {
protected:
    const ByteGridContent& Shown() { return Probe().Bytes().Content(); }
    int Byte(std::size_t at) { return std::stoi(Shown().rows.at(0).cells.at(at).hex, nullptr, 16); }
    std::string Offsets() { return Shown().rows.at(0).offsets; }
    std::string Hex() {
        std::string hex;
        for (const ByteGridContent::Cell& cell : Shown().rows.at(0).cells)
            hex += (hex.empty() ? "" : " ") + cell.hex;
        return hex;
    }
    bool Visible() { return Probe().Bytes().IsVisible(); }
    SideWindowProbe m_window{"BytesWindow"};
    CWnd& Control(int element) { return *Panel()->GetDlgItem(IDC_ELEMENT_BASE + element); }
    void ChooseEntry(int entry) { TestInput::ChooseComboItem(*EntryCombo(), entry); }
};

TEST_F(BytesWindowTest, FollowsAppliesUndoEntriesModulesFocusAndClose) {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha", 0, 4), WriteModule("b.qlm", "Beta", 4, 4)});
    OpenRom(WriteRom("game.rom", 32, 5));
    EXPECT_FALSE(Visible());
    TestInput::KeyClick(m_dlg, 'B', FCONTROL);
    ASSERT_TRUE(Visible());
    EXPECT_EQ(Shown().heading, "Alpha, 0x00 (4 bytes at 0x0)");
    EXPECT_EQ(Hex(), "05 06 07 08");
    EXPECT_EQ(m_window.Title(), "Alpha - Bytes - Quillmoor");
    ASSERT_EQ(Shown().rows.size(), 1u);
    EXPECT_EQ(Shown().rows[0].cells[1].tip, "Kind");
    EXPECT_TRUE(m_window.Paints("ByteCanvas"));

    ApplyValue(99);
    EXPECT_EQ(Byte(0), 99);
    EXPECT_EQ(m_window.Title(), "Alpha - Bytes - Quillmoor *");
    TestInput::KeyClick(m_dlg, 'Z', FCONTROL);
    EXPECT_EQ(Byte(0), 5);
    ChooseEntry(2);
    EXPECT_EQ(Offsets(), "00000008 +0000");
    EXPECT_EQ(Byte(0), 13);

    TestInput::Focus(Control(1));
    EXPECT_FALSE(Shown().rows[0].cells[0].outlined);
    EXPECT_TRUE(Shown().rows[0].cells[1].outlined);
    EXPECT_TRUE(Shown().legend.at(1).outlined);

    // Another module: its own entry 0, and no outline until a control of its
    // form takes the focus.
    ChooseModule(1);
    EXPECT_EQ(Shown().heading, "Beta, 0x00 (4 bytes at 0x4)");
    EXPECT_EQ(Byte(0), 9);
    EXPECT_FALSE(Shown().rows[0].cells[1].outlined);

    TestInput::ClickMenuItem(m_dlg, ID_FILE_CLOSEROM);
    EXPECT_EQ(Shown().heading, "Beta: no entry shown.");
    EXPECT_TRUE(Shown().rows.empty());

    // Closed with its close box, the menu brings it back up to date.
    m_window.ClickCloseBox();
    EXPECT_FALSE(Visible());
    ChooseModule(0);
    TestInput::ClickMenuItem(m_dlg, ID_VIEW_BYTES);
    EXPECT_EQ(Shown().heading, "Alpha: no entry shown.");
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
    EXPECT_TRUE(Shown().notes.empty());

    ChooseEntry(1);
    EXPECT_EQ(kind.GetCurSel(), -1);
    EXPECT_EQ(kind.GetToolTip(), "Kind: 0x08 (no item)");
    EXPECT_EQ(Shown().notes, (std::vector<std::string>{"Kind: 0x08 (no item)"}));
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
    EXPECT_EQ(Shown().notes, (std::vector<std::string>{"Habitat: 0x09 (no item)"}));
    EXPECT_TRUE(Shown().rows[0].cells[11].outlined);
    EXPECT_TRUE(m_window.SaveScreenshot(QUILL_BYTES_SCREENSHOT));
}

} // namespace
