// The table window as a user meets it on the example: Ctrl+T, cells edited
// with real keys and clicks, the form and the table following each other,
// filter, sort, module switch and Close Rom.
#include "ui/model/TableWindow.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "DialogHarness.h"
#include "SideWindowProbe.h"
#include "TestInput.h"
#include "document/ElementDisplay.h"
#include "document/Patch.h"
#include "platform/windows/CComboBox.h"
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
    std::string Cell(int row, int column) { return m_table.Cell(row, column); }
    int Byte(std::size_t at) const { return Document().Data()[at]; }
    // What the form's control of an element shows.
    std::string FormShows(int element) {
        CWnd* control = Panel()->GetDlgItem(IDC_ELEMENT_BASE + element);
        return control != nullptr ? control->GetWindowText() : "<none>";
    }
    int FormEntry() { return EntryCombo()->GetCurSel(); }
    // The label of an element's row in the form.
    std::string FormLabel(int element) { return Probe().LabelText(element); }
    // Double-click, the text over what the editor holds, Enter.
    void EditText(int row, int column, const std::string& text) {
        m_table.DoubleClickCell(row, column);
        m_table.PressKey('A', FCONTROL);
        m_table.TypeText(text);
        Enter();
    }
    // The editor hands its text over once the key has been handled.
    void Enter() {
        m_table.PressKey(VK_RETURN);
        TestInput::ProcessEvents();
    }
    // Replaces the filter box's text, as typing over it does.
    void Filter(const std::string& text) {
        m_table.TypeFilter("");
        m_table.PressKey('A', FCONTROL);
        m_table.PressKey(VK_BACK);
        m_table.TypeText(text);
    }
    // Reverts every step the image holds, counting them.
    int UndoAll() {
        int steps = 0;
        for (; Document().CanUndo(); ++steps)
            m_table.PressKey('Z', FCONTROL);
        return steps;
    }
    static void TypeInto(CWnd& edit, const std::string& text) {
        TestInput::Click(edit);
        TestInput::KeyClick(edit, 'A', FCONTROL);
        TestInput::TypeText(edit, text);
    }
    // The example has a biscuit element: every apply says so, as the form's does.
    void ExpectBiscuits() { m_modals.AnswerMessageBox(IDOK); }

    SideWindowProbe m_table{"TableWindow"};
};

TEST_F(TableWindowTest, OpensOnTheCurrentModuleShowingWhatTheFormShows) {
    OpenExample();
    EXPECT_TRUE(m_table.Visible());
    EXPECT_EQ(m_table.Title(), "Bestiary - Quillmoor");
    ASSERT_EQ(m_table.ColumnCount(), kColumns);
    EXPECT_EQ(m_table.RowCount(), 24);
    const std::vector<std::string> headers = {"Entry",      "Short name",     "Hit points",
                                              "Temper",     "Habitat",        "Gold carried",
                                              "Loot flags", "Biscuits eaten", "Affinity"};
    for (int c = 0; c < kColumns; ++c)
        EXPECT_EQ(m_table.Header(c), headers[static_cast<size_t>(c)]);
    // Every cell of every entry is what the form shows when that entry is picked.
    for (int entry = 0; entry < 24; ++entry) {
        TestInput::ChooseComboItem(*EntryCombo(), entry);
        EXPECT_EQ(m_table.CurrentRow(), entry);
        EXPECT_EQ(Cell(entry, kLabel), EntryCombo()->GetWindowText());
        for (int c = kName; c < kColumns; ++c)
            EXPECT_EQ(Cell(entry, c), FormShows(c - 1)) << "entry " << entry << " column " << c;
    }
    TestInput::ChooseComboItem(*EntryCombo(), 2);
    m_table.Resize(900, 420);
    m_table.ClickCell(0, kLabel);
    m_table.ClickCell(2, kName);
    EXPECT_EQ(FormEntry(), 2);
    EXPECT_TRUE(m_table.SaveScreenshot(QUILL_TABLE_SCREENSHOT));
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
    m_table.PressKey('Z', FCONTROL);
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
    m_table.ClickCell(2, kHabitat);
    m_table.PressKey(VK_F2);
    ASSERT_TRUE(m_table.Editing());
    m_table.PressKey(VK_DOWN);
    ExpectBiscuits();
    Enter();
    EXPECT_NE(Cell(2, kHabitat), habitat);
    EXPECT_EQ(Cell(2, kHabitat), FormShows(kHabitat - 1));

    // Typing on a cell starts its edit with what is typed; the keys after
    // the first go to the editor it opened.
    m_table.ClickCell(4, kTemper);
    m_table.TypeText("1");
    m_table.TypeText("2");
    ExpectBiscuits();
    Enter();
    EXPECT_EQ(Cell(4, kTemper), "12");
    EXPECT_EQ(UndoAll(), 3);
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
    m_table.ClickCell(0, kHabitat);
    m_table.PressKey(VK_F2);
    Enter();
    EXPECT_EQ(Messages(), (std::vector<std::string>{kBadHexArrayText, kNoSelectionText}));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Document().Data()), rom.size()), rom);
    EXPECT_FALSE(Document().CanUndo());
    EXPECT_EQ(Title(), "Quillmoor - bestiary.rom");
}

TEST_F(TableWindowTest, TheFormAndTheTableFollowEachOther) {
    OpenExample();
    // A row picked in the table is the form's entry; what was typed in the
    // form and not applied goes, as when another entry is picked.
    m_table.ClickCell(5, kGold);
    EXPECT_EQ(FormEntry(), 5);
    CWnd& hitPoints = *Panel()->GetDlgItem(IDC_ELEMENT_BASE + kHitPoints - 1);
    TypeInto(hitPoints, "777");
    m_table.ClickCell(6, kGold);
    EXPECT_EQ(FormEntry(), 6);
    m_table.ClickCell(5, kGold);
    EXPECT_EQ(FormShows(kHitPoints - 1), Cell(5, kHitPoints));
    EXPECT_NE(Cell(5, kHitPoints), "777");

    // An apply in the form shows in the table, and so does its undo.
    TestInput::ChooseComboItem(*EntryCombo(), 7);
    EXPECT_EQ(m_table.CurrentRow(), 7);
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
    const std::string image(reinterpret_cast<const char*>(Document().Data()), Document().Length());
    const std::string label = Cell(2, kLabel); // "Quill hog"
    m_table.TypeFilter("QUILL H");
    ASSERT_EQ(m_table.RowCount(), 1);
    EXPECT_EQ(Cell(0, kLabel), label);
    // Any cell counts, not only the label: every row left holds the text.
    Filter("marsh");
    ASSERT_GT(m_table.RowCount(), 0);
    ASSERT_LT(m_table.RowCount(), 24);
    for (int r = 0; r < m_table.RowCount(); ++r)
        EXPECT_EQ(Cell(r, kHabitat).find("Marsh") != std::string::npos, true) << Cell(r, kLabel);
    Filter("");
    EXPECT_EQ(m_table.RowCount(), 24);

    // Numbers sort as numbers, both ways; the row the form shows stays current.
    m_table.ClickCell(4, kLabel);
    m_table.ClickHeader(kHitPoints);
    for (int r = 1; r < 24; ++r)
        EXPECT_LE(std::stol(Cell(r - 1, kHitPoints)), std::stol(Cell(r, kHitPoints)));
    EXPECT_EQ(Cell(m_table.CurrentRow(), kLabel), EntryCombo()->GetWindowText());
    m_table.ClickHeader(kTemper);
    m_table.ClickHeader(kTemper);
    for (int r = 1; r < 24; ++r)
        EXPECT_GE(std::stol(Cell(r - 1, kTemper)), std::stol(Cell(r, kTemper)));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Document().Data()), image.size()), image);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
}

TEST_F(TableWindowTest, FollowsModuleSwitchesAndCloseRom) {
    OpenExample();
    LoadModules({WriteModule("alpha.qlm", "Alpha", 0, 4)});
    ChooseModule(1);
    EXPECT_EQ(m_table.Title(), "Alpha - Quillmoor");
    ASSERT_EQ(m_table.ColumnCount(), 3);
    EXPECT_EQ(m_table.Header(1), "Value");
    EXPECT_EQ(m_table.RowCount(), 4);
    EXPECT_EQ(Cell(1, 1), std::to_string(Byte(4)));

    Click(ID_FILE_CLOSEROM);
    EXPECT_EQ(m_table.RowCount(), 0);
    EXPECT_EQ(m_table.ColumnCount(), 3);
    // Closed with the close box, it opens again in step.
    m_table.ClickCloseBox();
    EXPECT_FALSE(m_table.Visible());
    OpenRom(m_rom);
    Click(ID_VIEW_TABLE);
    EXPECT_TRUE(m_table.Visible());
    EXPECT_EQ(m_table.RowCount(), 4);

    // Unloading the modules, even while the window is hidden, leaves
    // nothing the table could still read.
    m_table.ClickCloseBox();
    Click(ID_MODULES_UNLOAD);
    Click(ID_MODULES_UNLOAD);
    Click(ID_VIEW_TABLE);
    EXPECT_EQ(m_table.ColumnCount(), 0);
    EXPECT_EQ(m_table.Title(), "Quillmoor");
}

TEST_F(TableWindowTest, TakesInputInsideTheDialogsOwnModalLoop) {
    Start(PathOf("bestiary.qlm"));
    RunModal([&] {
        OpenRom(m_rom);
        TestInput::KeyClick(m_dlg, 'T', FCONTROL);
        m_table.TypeFilter("quill");
        EXPECT_LT(m_table.RowCount(), 24);
        Filter("");
        m_table.ClickHeader(kHitPoints);
        EXPECT_LE(std::stol(Cell(0, kHitPoints)), std::stol(Cell(1, kHitPoints)));
        const std::string before = ReadFile(m_rom);
        ExpectBiscuits();
        EditText(0, kTemper, "-9");
        EXPECT_EQ(Cell(0, kTemper), "-9");
        m_table.PressKey('Z', FCONTROL);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(Document().Data()), before.size()), before);
        m_dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(m_modals.UnusedAnswers(), 0);
}

TEST_F(TableWindowTest, AfterAnEditTheKeysStayWithTheTableAndTheTitleTellsOfTheChange) {
    OpenExample();
    ExpectBiscuits();
    EditText(3, kHitPoints, "321");
    EXPECT_EQ(m_table.FocusName(), "TableGrid");
    EXPECT_EQ(m_table.CurrentRow(), 3);
    EXPECT_EQ(m_table.Title(), "Bestiary - Quillmoor *");
    m_table.PressKey(VK_DOWN);
    EXPECT_EQ(m_table.CurrentRow(), 4);
    EXPECT_EQ(m_table.RowCount(), 24);
    EXPECT_EQ(FormEntry(), 4);
    TestInput::KeyClick(m_dlg, 'S', FCONTROL);
    EXPECT_EQ(m_table.Title(), "Bestiary - Quillmoor");
    // Columns are wide enough for what they show, and the user may widen them.
    const int width = m_table.ColumnWidth(kLabel);
    m_table.DragColumnEdge(kLabel, 40);
    EXPECT_GT(m_table.ColumnWidth(kLabel), width);
}

TEST_F(TableWindowTest, EveryFrontEndSelectsTheSameEntryEverywhere) {
    OpenExample();
    TestInput::KeyClick(m_dlg, 'B', FCONTROL);
    const auto same = [&](int entry) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(FormEntry(), entry);
        EXPECT_EQ(State().CurrentEntry(), entry);
        EXPECT_EQ(m_table.CurrentRow(), entry);
        const std::string label = EntryCombo()->GetWindowText();
        EXPECT_NE(Probe().Bytes().Content().heading.find(label), std::string::npos) << label;
    };
    TestInput::ChooseComboItem(*EntryCombo(), 5);
    same(5);
    m_table.ClickCell(7, kLabel);
    same(7);
    TestInput::Focus(*EntryCombo());
    TestInput::KeyClick(*EntryCombo(), VK_DOWN);
    same(8);

    ExpectBiscuits();
    EditText(3, kGold, "0x77");
    same(3);
    TestInput::ChooseComboItem(*EntryCombo(), 10);
    TestInput::KeyClick(m_dlg, 'Z', FCONTROL);
    same(3);

    // An import keeps the entry and shows its new bytes everywhere.
    WriteFile(PathOf("in.csv"), "Entry,Hit points\n3,4321\n");
    m_modals.AnswerFileDialog({PathOf("in.csv")});
    Click(ID_FILE_IMPORTTABLE);
    same(3);
    EXPECT_EQ(Cell(3, kHitPoints), "4321");
    EXPECT_EQ(FormShows(kHitPoints - 1), "4321");

    LoadModules({WriteModule("alpha.qlm", "Alpha", 0, 4)});
    ChooseModule(1);
    same(0);
}

TEST_F(TableWindowTest, ComparedWithTheOriginalChangedCellsAreTintedAndCanBeKeptAlone) {
    const std::string original = PathOf("original.rom");
    WriteFile(original, ReadFile(m_rom));
    OpenExample();
    EXPECT_FALSE(m_table.ClickChild("ChangedOnly")) << "nothing to compare with yet";
    m_modals.AnswerFileDialog({original});
    Click(ID_VIEW_COMPARE);
    EXPECT_TRUE(Checked(ID_VIEW_COMPARE));
    EXPECT_FALSE(m_table.Tinted(3, kTemper));

    ExpectBiscuits();
    EditText(3, kTemper, "-9");
    EXPECT_TRUE(m_table.Tinted(3, kTemper));
    EXPECT_FALSE(m_table.Tinted(3, kHitPoints));
    EXPECT_FALSE(m_table.Tinted(4, kTemper));
    EXPECT_EQ(FormLabel(kTemper - 1), "Temper *");
    EXPECT_EQ(FormLabel(kHitPoints - 1), "Hit points");
    // The picture in the README and the user guide: the tinted cell in a row
    // not selected, and the box that keeps such rows alone.
    m_table.Resize(900, 420);
    m_table.ClickCell(2, kLabel);
    EXPECT_TRUE(m_table.SaveScreenshot(QUILL_COMPARE_SCREENSHOT));
    m_table.ClickCell(3, kLabel);
    EXPECT_EQ(FormEntry(), 3);
    TestInput::KeyClick(m_dlg, 'B', FCONTROL);
    const auto& bytes = Probe().Bytes().Content().rows.at(0).cells;
    EXPECT_TRUE(bytes.at(10).changed);
    EXPECT_FALSE(bytes.at(8).changed);
    ASSERT_TRUE(m_table.ClickChild("ChangedOnly"));
    ASSERT_EQ(m_table.RowCount(), 1);
    EXPECT_EQ(Cell(0, kTemper), "-9");

    // Undone, the entry is the original's again and leaves the rows kept.
    TestInput::KeyClick(m_dlg, 'Z', FCONTROL);
    EXPECT_EQ(m_table.RowCount(), 0);
    EXPECT_EQ(FormLabel(kTemper - 1), "Temper");
    // Saved and opened again, the ROM comes back compared with its original.
    TestInput::KeyClick(m_dlg, 'Y', FCONTROL);
    TestInput::KeyClick(m_dlg, 'S', FCONTROL);
    Click(ID_FILE_CLOSEROM);
    EXPECT_FALSE(Checked(ID_VIEW_COMPARE));
    OpenRom(m_rom);
    EXPECT_TRUE(Checked(ID_VIEW_COMPARE));
    EXPECT_EQ(m_table.RowCount(), 1);

    // The patch from the original makes the edited ROM.
    ASSERT_TRUE(Enabled(ID_FILE_EXPORTPATCH));
    m_modals.AnswerFileDialog({PathOf("fix.bps")});
    Click(ID_FILE_EXPORTPATCH);
    const std::string patch = ReadFile(PathOf("fix.bps"));
    const std::string before = ReadFile(original);
    const auto made = Patch::Apply({reinterpret_cast<const uint8_t*>(patch.data()), patch.size()},
                                   {reinterpret_cast<const uint8_t*>(before.data()), before.size()});
    ASSERT_TRUE(made);
    EXPECT_EQ(std::string(made.Value().begin(), made.Value().end()), ReadFile(m_rom));
}

// 40,000 entries: more cells than a filter searches at once, so the window
// takes its rows from the workers as its event loop turns.
TEST_F(TableWindowTest, ABigTablesFilterEndsRightAndStopsWithTheWindowAndTheDialog) {
    constexpr int kEntries = 40000;
    Start(WriteModule("big.qlm", "Big", 0, kEntries));
    OpenRom(WriteRom("big.rom", std::size_t{kEntries} * 4, 1));
    TestInput::KeyClick(m_dlg, 'T', FCONTROL);
    TableWindow& window = Probe().Table();
    Filter("17");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (window.Filtering() && std::chrono::steady_clock::now() < deadline)
        TestInput::ProcessEvents();
    ASSERT_FALSE(window.Filtering());
    const CTableModule& module = *State().CurrentModule();
    int kept = 0;
    for (int entry = 0; entry < kEntries; ++entry) {
        const std::span<const uint8_t> bytes(Document().Data() + 4 * static_cast<std::size_t>(entry), 4);
        kept += TableRows::ContainsNoCase(module.m_entryNames[static_cast<std::size_t>(entry)], "17") ||
                TableRows::ContainsNoCase(ElementDisplay::Show(module, 0, bytes), "17") ||
                TableRows::ContainsNoCase(ElementDisplay::Show(module, 1, bytes), "17");
    }
    EXPECT_EQ(m_table.RowCount(), kept);

    // Closed while a filter may still run, the window stops it; the dialog
    // ending while another may run takes it along.
    Filter("3");
    m_table.ClickCloseBox();
    EXPECT_FALSE(window.Filtering());
    Click(ID_VIEW_TABLE);
}

} // namespace
