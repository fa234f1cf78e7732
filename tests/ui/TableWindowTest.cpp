// The table window as a user meets it on the example: Ctrl+T, cells edited
// with real keys and clicks, the form and the table following each other,
// filter, sort, module switch and Close Rom.
#include "ui/model/TableWindow.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "DialogHarness.h"
#include "TestInput.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CTableCtrl.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "ui/CScrollPanel.h"

namespace {

namespace fs = std::filesystem;

// The example's table: 24 entries of 20 bytes from 0x40.
constexpr std::size_t kBase = 0x40;
constexpr std::size_t kLength = 20;
enum Column {
    kLabel,
    kName,
    kHitPoints,
    kTemper,
    kHabitat,
    kGold,
    kLoot,
    kBiscuits,
    kAffinity,
    kColumns
};

class TableWindowTest : public DialogHarness {
protected:
    void SetUp() override {
        for (const auto& file : fs::directory_iterator(QUILL_EXAMPLE_DIR))
            if (file.is_regular_file()) fs::copy_file(file.path(), fs::path(Dir()) / file.path().filename());
        m_rom = PathOf("bestiary.rom");
    }
    void OpenExample() {
        Start(PathOf("bestiary.qlm"));
        OpenRom(m_rom);
        TestInput::KeyClick(m_dlg, 'T', FCONTROL);
    }
    TableWindow& Window() { return m_dlg.Table(); }
    CTableCtrl& Table() { return m_dlg.Table().Table(); }
    std::string Cell(int row, int column) { return Table().GetItemText(row, column); }
    int Byte(std::size_t at) const { return Document().Data()[at]; }
    // What the form's control of an element shows.
    std::string FormShows(int element) {
        CWnd* control = Panel()->GetDlgItem(IDC_ELEMENT_BASE + element);
        return control != nullptr ? control->GetWindowText() : "<none>";
    }
    int FormEntry() { return EntryCombo()->GetCurSel(); }
    // Double-click, the text over what the editor holds, Enter.
    void EditText(int row, int column, const std::string& text) {
        TestInput::ClickCell(Table(), row, column, true);
        TestInput::KeyClick(Table(), 'A', FCONTROL);
        TestInput::TypeText(Table(), text);
        Enter();
    }
    // The editor hands its text over once the key has been handled.
    void Enter() {
        TestInput::KeyClick(Table(), VK_RETURN);
        TestInput::ProcessEvents();
    }
    static void TypeInto(CWnd& edit, const std::string& text) {
        TestInput::Click(edit);
        TestInput::KeyClick(edit, 'A', FCONTROL);
        TestInput::TypeText(edit, text);
    }
    // The example has a biscuit element: every apply says so, as the form's does.
    void ExpectBiscuits() { m_modals.AnswerMessageBox(IDOK); }
};

TEST_F(TableWindowTest, OpensOnTheCurrentModuleShowingWhatTheFormShows) {
    OpenExample();
    EXPECT_TRUE(Window().IsWindowVisible());
    EXPECT_EQ(Window().GetWindowText(), "Bestiary - Quillmoor");
    ASSERT_EQ(Table().GetColumnCount(), kColumns);
    EXPECT_EQ(Table().GetRowCount(), 24);
    const std::vector<std::string> headers = {"Entry",      "Short name",     "Hit points",
                                              "Temper",     "Habitat",        "Gold carried",
                                              "Loot flags", "Biscuits eaten", "Affinity"};
    for (int c = 0; c < kColumns; ++c)
        EXPECT_EQ(Table().GetHeaderText(c), headers[static_cast<size_t>(c)]);
    // Every cell of every entry is what the form shows when that entry is picked.
    for (int entry = 0; entry < 24; ++entry) {
        TestInput::ChooseComboItem(*EntryCombo(), entry);
        EXPECT_EQ(Table().GetCurRow(), entry);
        EXPECT_EQ(Cell(entry, kLabel), EntryCombo()->GetWindowText());
        for (int c = kName; c < kColumns; ++c)
            EXPECT_EQ(Cell(entry, c), FormShows(c - 1)) << "entry " << entry << " column " << c;
    }
    TestInput::ChooseComboItem(*EntryCombo(), 2);
    Window().MoveWindow(0, 0, 900, 420);
    TestInput::ClickCell(Table(), 0, kLabel);
    TestInput::ClickCell(Table(), 2, kName);
    EXPECT_EQ(FormEntry(), 2);
    EXPECT_TRUE(TestInput::SaveScreenshot(Window(), QUILL_TABLE_SCREENSHOT));
}

struct EditRow {
    const char* name;
    int column;
    std::string typed;
    std::string shown;
    std::size_t offset; // inside the entry
    std::vector<int> bytes;
};

class TableEditTest : public TableWindowTest, public ::testing::WithParamInterface<EditRow> {};

TEST_P(TableEditTest, AppliesTheEntryAsOneUndoStep) {
    const EditRow& row = GetParam();
    OpenExample();
    const std::string before = ReadFile(m_rom);
    ExpectBiscuits();
    EditText(3, row.column, row.typed);
    EXPECT_EQ(Cell(3, row.column), row.shown);
    EXPECT_EQ(FormEntry(), 3);
    EXPECT_EQ(FormShows(row.column - 1), row.shown);
    for (std::size_t i = 0; i < row.bytes.size(); ++i)
        EXPECT_EQ(Byte(kBase + 3 * kLength + row.offset + i), row.bytes[i]) << i;
    EXPECT_EQ(Title(), "Quillmoor - bestiary.rom *");
    EXPECT_EQ(m_modals.MessageBoxes().size(), 1u);

    // Undone from the table itself, with the editor's key.
    TestInput::KeyClick(Table(), 'Z', FCONTROL);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Document().Data()), before.size()), before);
    EXPECT_EQ(Cell(3, row.column), FormShows(row.column - 1));
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
}

INSTANTIATE_TEST_SUITE_P(
        EveryKind, TableEditTest,
        ::testing::Values(EditRow{"Number", kHitPoints, "500", "500", 8, {0xF4, 0x01}},
                          EditRow{"Signed", kTemper, "-3", "-3", 10, {0xFD}},
                          EditRow{"HexNumber", kGold, "0x1234", "0x1234", 12, {0x34, 0x12}},
                          EditRow{"HexArray", kLoot, "0A 0B 0C", "0A 0B 0C", 14, {10, 11, 12}},
                          EditRow{"Biscuit", kBiscuits, "7", "7", 17, {7}}),
        [](const ::testing::TestParamInfo<EditRow>& row) { return row.param.name; });

TEST_F(TableWindowTest, TextAndDropboxCellsEditThroughTheirOwnEditors) {
    OpenExample();
    // Text: the box takes no more than the element's 8 bytes, as the form's.
    ExpectBiscuits();
    EditText(1, kName, "Quillhog and more");
    EXPECT_EQ(Cell(1, kName), "Quillhog");
    EXPECT_EQ(FormShows(kName - 1), "Quillhog");

    // Dropbox: F2 opens the list of items, Down picks the next one.
    const std::string habitat = Cell(2, kHabitat);
    TestInput::ClickCell(Table(), 2, kHabitat);
    TestInput::KeyClick(Table(), VK_F2);
    ASSERT_TRUE(Table().IsEditing());
    TestInput::KeyClick(Table(), VK_DOWN);
    ExpectBiscuits();
    Enter();
    EXPECT_NE(Cell(2, kHabitat), habitat);
    EXPECT_EQ(Cell(2, kHabitat), FormShows(kHabitat - 1));

    // Typing on a cell starts its edit with what is typed; the keys after
    // the first go to the editor it opened.
    TestInput::ClickCell(Table(), 4, kTemper);
    TestInput::TypeText(Table(), "1");
    TestInput::TypeText(Table(), "2");
    ExpectBiscuits();
    Enter();
    EXPECT_EQ(Cell(4, kTemper), "12");
    EXPECT_EQ(Document().JournalSteps(), 3u);
}

TEST_F(TableWindowTest, InvalidInputShowsTheFormsMessagesAndChangesNothing) {
    // Entry 0's habitat code names no item: its cell is blank.
    std::string rom = ReadFile(m_rom);
    rom[kBase + 11] = char(200);
    WriteFile(m_rom, rom);
    OpenExample();
    EXPECT_EQ(Cell(0, kHabitat), "");

    m_modals.AnswerMessageBox(IDOK);
    EditText(0, kLoot, "0A 0B");
    m_modals.AnswerMessageBox(IDOK);
    TestInput::ClickCell(Table(), 0, kHabitat);
    TestInput::KeyClick(Table(), VK_F2);
    Enter();
    EXPECT_EQ(Messages(), (std::vector<std::string>{kBadHexArrayText, kNoSelectionText}));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Document().Data()), rom.size()), rom);
    EXPECT_EQ(Document().JournalSteps(), 0u);
    EXPECT_EQ(Title(), "Quillmoor - bestiary.rom");
}

TEST_F(TableWindowTest, TheFormAndTheTableFollowEachOther) {
    OpenExample();
    // A row picked in the table is the form's entry; what was typed in the
    // form and not applied goes, as when another entry is picked.
    TestInput::ClickCell(Table(), 5, kGold);
    EXPECT_EQ(FormEntry(), 5);
    CWnd& hitPoints = *Panel()->GetDlgItem(IDC_ELEMENT_BASE + kHitPoints - 1);
    TypeInto(hitPoints, "777");
    TestInput::ClickCell(Table(), 6, kGold);
    EXPECT_EQ(FormEntry(), 6);
    TestInput::ClickCell(Table(), 5, kGold);
    EXPECT_EQ(FormShows(kHitPoints - 1), Cell(5, kHitPoints));
    EXPECT_NE(Cell(5, kHitPoints), "777");

    // An apply in the form shows in the table, and so does its undo.
    TestInput::ChooseComboItem(*EntryCombo(), 7);
    EXPECT_EQ(Table().GetCurRow(), 7);
    TypeInto(hitPoints, "4242");
    ExpectBiscuits();
    TestInput::KeyClick(m_dlg, VK_RETURN);
    EXPECT_EQ(Cell(7, kHitPoints), "4242");
    TestInput::KeyClick(m_dlg, 'Z', FCONTROL);
    EXPECT_EQ(Cell(7, kHitPoints), FormShows(kHitPoints - 1));
    EXPECT_NE(Cell(7, kHitPoints), "4242");
}

TEST_F(TableWindowTest, FilterAndSortOnlyChooseAndOrderRows) {
    OpenExample();
    const std::string image(reinterpret_cast<const char*>(Document().Data()),
                            Document().Length());
    const std::string label = Cell(2, kLabel); // "Quill hog"
    Window().FilterBox().SetFocus();
    TestInput::TypeText(Window().FilterBox(), "QUILL H");
    ASSERT_EQ(Table().GetRowCount(), 1);
    EXPECT_EQ(Cell(0, kLabel), label);
    // Any cell counts, not only the label: every row left holds the text.
    Window().FilterBox().SetWindowText("marsh");
    ASSERT_GT(Table().GetRowCount(), 0);
    ASSERT_LT(Table().GetRowCount(), 24);
    for (int r = 0; r < Table().GetRowCount(); ++r)
        EXPECT_EQ(Cell(r, kHabitat).find("Marsh") != std::string::npos, true) << Cell(r, kLabel);
    Window().FilterBox().SetWindowText("");
    EXPECT_EQ(Table().GetRowCount(), 24);

    // Numbers sort as numbers, both ways; the row the form shows stays current.
    TestInput::ClickCell(Table(), 4, kLabel);
    TestInput::ClickHeader(Table(), kHitPoints);
    for (int r = 1; r < 24; ++r)
        EXPECT_LE(std::stol(Cell(r - 1, kHitPoints)), std::stol(Cell(r, kHitPoints)));
    EXPECT_EQ(Cell(Table().GetCurRow(), kLabel), EntryCombo()->GetWindowText());
    TestInput::ClickHeader(Table(), kTemper);
    TestInput::ClickHeader(Table(), kTemper);
    for (int r = 1; r < 24; ++r)
        EXPECT_GE(std::stol(Cell(r - 1, kTemper)), std::stol(Cell(r, kTemper)));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Document().Data()), image.size()), image);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
}

TEST_F(TableWindowTest, FollowsModuleSwitchesAndCloseRom) {
    OpenExample();
    LoadModules({WriteModule("alpha.qlm", "Alpha", 0, 4)});
    ChooseModule(1);
    EXPECT_EQ(Window().GetWindowText(), "Alpha - Quillmoor");
    ASSERT_EQ(Table().GetColumnCount(), 3);
    EXPECT_EQ(Table().GetHeaderText(1), "Value");
    EXPECT_EQ(Table().GetRowCount(), 4);
    EXPECT_EQ(Cell(1, 1), std::to_string(Byte(4)));

    Click(ID_FILE_CLOSEROM);
    EXPECT_EQ(Table().GetRowCount(), 0);
    EXPECT_EQ(Table().GetColumnCount(), 3);
    // Closed with the close box, it opens again in step.
    TestInput::ClickCloseBox(Window());
    EXPECT_FALSE(Window().IsWindowVisible());
    OpenRom(m_rom);
    Click(ID_VIEW_TABLE);
    EXPECT_TRUE(Window().IsWindowVisible());
    EXPECT_EQ(Table().GetRowCount(), 4);

    // Unloading the modules, even while the window is hidden, leaves
    // nothing the table could still read.
    TestInput::ClickCloseBox(Window());
    Click(ID_MODULES_UNLOAD);
    Click(ID_MODULES_UNLOAD);
    Click(ID_VIEW_TABLE);
    EXPECT_EQ(Table().GetColumnCount(), 0);
    EXPECT_EQ(Window().GetWindowText(), "Quillmoor");
}

} // namespace
