// Export Table and Import Table through the File menu, with the file
// dialogs and message boxes scripted: the file written, the round trip, one
// undo step for a whole import, and an import refused cell by cell.
#include <gtest/gtest.h>
#include <string>

#include "DialogHarness.h"
#include "TestInput.h"
#include "platform/windows/CComboBox.h"
#include "res/resource.h"

namespace {

class TableFileCommandsTest : public DialogHarness {
protected:
    // Module "Alpha" (4 entries of 4 bytes: Value, then the dropbox Kind)
    // over game.rom, whose byte i is 5 + i.
    void OpenTable() {
        Start();
        EXPECT_FALSE(Enabled(ID_FILE_EXPORTTABLE));
        LoadModules({WriteModule("a.qlm", "Alpha")});
        EXPECT_FALSE(Enabled(ID_FILE_IMPORTTABLE)); // a module but no ROM
        m_rom = WriteRom("game.rom", 32, 5);
        OpenRom(m_rom);
    }
    void Import(const std::string& csv) {
        WriteFile(PathOf("in.csv"), csv);
        m_modals.AnswerFileDialog({PathOf("in.csv")});
        Click(ID_FILE_IMPORTTABLE);
    }
    std::string Image() const {
        const RomDocument& document = Document();
        return {reinterpret_cast<const char*>(document.Data()), document.Length()};
    }
};

TEST_F(TableFileCommandsTest, ExportWritesTheTableAndImportingItBackChangesNothing) {
    OpenTable();
    ASSERT_TRUE(Enabled(ID_FILE_EXPORTTABLE));
    m_modals.AnswerFileDialog({PathOf("out.csv")});
    Click(ID_FILE_EXPORTTABLE);
    ASSERT_EQ(m_modals.FileDialogs().size(), 3u); // the module, the ROM, the table
    EXPECT_FALSE(m_modals.FileDialogs()[2].open);
    EXPECT_EQ(m_modals.FileDialogs()[2].fileName, "Alpha.csv");
    EXPECT_EQ(ReadFile(PathOf("out.csv")), "Entry,Value,Kind\r\n"
                                           "0x00,5,6 - Kind 6\r\n"
                                           "0x01,9,10 - Kind 10\r\n"
                                           "0x02,13,14 - Kind 14\r\n"
                                           "0x03,17,18 - Kind 18\r\n");

    Import(ReadFile(PathOf("out.csv")));
    EXPECT_EQ(Image(), ReadFile(m_rom));
    EXPECT_EQ(Title(), "Quillmoor - game.rom");
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TableFileCommandsTest, AnImportIsOneStepThatTheFormShowsAndOneUndoTakesBack) {
    OpenTable();
    const std::string before = Image();
    // Rows by label and by number, a subset of the columns in another order.
    Import("Entry,Kind,Value\r\n0x00,7 - Kind 7,200\r\n3,18 - Kind 18,201\r\n");
    std::string after = before;
    after[0] = static_cast<char>(200);
    after[1] = 7;
    after[12] = static_cast<char>(201);
    EXPECT_EQ(Image(), after);
    EXPECT_EQ(ShownValue(), "200");
    EXPECT_EQ(Title(), "Quillmoor - game.rom *");

    TestInput::KeyClick(m_dlg, 'Z', FCONTROL);
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(ShownValue(), "5");
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    Click(ID_EDIT_REDO);
    EXPECT_EQ(Image(), after);
    EXPECT_EQ(ShownValue(), "200");

    // Closing the ROM grays both again.
    m_modals.AnswerMessageBox(IDNO);
    Click(ID_FILE_CLOSEROM);
    EXPECT_FALSE(Enabled(ID_FILE_EXPORTTABLE));
    EXPECT_FALSE(Enabled(ID_FILE_IMPORTTABLE));
}

TEST_F(TableFileCommandsTest, BadCellsChangeNothingAndAreListedWithRowAndColumn) {
    OpenTable();
    const std::string before = Image();
    m_modals.AnswerMessageBox(IDOK);
    Import("Entry,Value,Kind\r\n0x00,1,6 - Kind 6\r\n1,256,Kind 300\r\n9,1,1\r\n");
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(Title(), "Quillmoor - game.rom");
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0],
              "3 bad cells, nothing changed:\n"
              "Row 3, column 2: Value: \"256\" is not a whole number from 0 to 255.\n"
              "Row 3, column 3: Kind: \"Kind 300\" is neither the name nor the value of an item "
              "of its list.\n"
              "Row 4, column 1: No entry \"9\" in this module: the first column holds an "
              "entry's label or number.");
}

TEST_F(TableFileCommandsTest, AModuleThatDoesNotFitGraysBoth) {
    Start();
    m_modals.AnswerMessageBox(IDOK);
    LoadModules({WriteModule("far.qlm", "Far", 1000)});
    OpenRom(WriteRom("game.rom", 32, 5));
    EXPECT_EQ(CountMessages(kIncompatible), 1);
    EXPECT_FALSE(Enabled(ID_FILE_EXPORTTABLE));
    EXPECT_FALSE(Enabled(ID_FILE_IMPORTTABLE));
}

} // namespace
