// Undo and Redo of applied entries through the keys and the Edit menu: the
// image, the entry shown, the title's " *" and the grayed states.
#include <gtest/gtest.h>
#include <string>

#include "DialogHarness.h"
#include "TestInput.h"
#include "platform/windows/CComboBox.h"
#include "res/resource.h"
#include "ui/CScrollPanel.h"

namespace {

class UndoRedoTest : public DialogHarness {
protected:
    void Key(WORD vk, BYTE modifiers = FCONTROL) { TestInput::KeyClick(m_dlg, vk, modifiers); }
    void ChooseEntry(int entry) { TestInput::ChooseComboItem(*EntryCombo(), entry); }
    int Byte(std::uint32_t at) const { return Document().Data()[at]; }
    int ShownEntry() const { return EntryCombo()->GetCurSel(); }
    // What the user sees of the journal: Undo's and Redo's states, the title.
    std::string State() {
        return std::string(Enabled(ID_EDIT_UNDO) ? "undo" : "-") + "|" +
               (Enabled(ID_EDIT_REDO) ? "redo" : "-") + "|" + Title();
    }
};

// The module's entries are 4 bytes from offset 0, "Value" the first byte;
// the ROM's byte i is 5 + i.
TEST_F(UndoRedoTest, KeysAndMenuWalkTheJournalAcrossEntriesAndASave) {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha")});
    m_rom = WriteRom("game.rom", 32, 5);
    OpenRom(m_rom);
    EXPECT_EQ(State(), "-|-|Quillmoor - game.rom");
    Key('Z'); // grayed: nothing happens
    EXPECT_EQ(Byte(0), 5);

    ApplyValue(99);
    ChooseEntry(2);
    ApplyValue(50);
    EXPECT_EQ(State(), "undo|-|Quillmoor - game.rom *");
    Key('S');
    EXPECT_EQ(State(), "undo|-|Quillmoor - game.rom");

    Key('Z');
    EXPECT_EQ(Byte(8), 13);
    EXPECT_EQ(ShownEntry(), 2);
    EXPECT_EQ(ShownValue(), "13");
    EXPECT_EQ(State(), "undo|redo|Quillmoor - game.rom *");

    Click(ID_EDIT_UNDO);
    EXPECT_EQ(Byte(0), 5);
    EXPECT_EQ(ShownEntry(), 0);
    EXPECT_EQ(ShownValue(), "5");
    EXPECT_EQ(State(), "-|redo|Quillmoor - game.rom *");

    Key('Y');
    EXPECT_EQ(Byte(0), 99);
    EXPECT_EQ(ShownValue(), "99");
    EXPECT_EQ(State(), "undo|redo|Quillmoor - game.rom *");
    // Back where the save left the image: the star goes.
    Key('Z', FCONTROL | FSHIFT);
    EXPECT_EQ(Byte(8), 50);
    EXPECT_EQ(ShownEntry(), 2);
    EXPECT_EQ(State(), "undo|-|Quillmoor - game.rom");
    Click(ID_EDIT_REDO); // grayed
    EXPECT_EQ(State(), "undo|-|Quillmoor - game.rom");
    EXPECT_EQ(TempDir::ReadFile(m_rom)[8], 50);

    // A new change after undo ends the redo branch and the saved state on it.
    Key('Z');
    ChooseEntry(3);
    ApplyValue(7);
    EXPECT_EQ(State(), "undo|-|Quillmoor - game.rom *");
    Key('Z');
    EXPECT_EQ(State(), "undo|redo|Quillmoor - game.rom *");

    // Close Rom empties the journal, and so does Open Rom.
    m_modals.AnswerMessageBox(IDNO);
    Click(ID_FILE_CLOSEROM);
    EXPECT_EQ(State(), "-|-|Quillmoor - No file open");
    OpenRom(m_rom);
    EXPECT_EQ(State(), "-|-|Quillmoor - game.rom");
}

TEST_F(UndoRedoTest, UndoFirstDropsEditsNotYetApplied) {
    OpenAndModify();
    CWnd& edit = *Panel()->GetDlgItem(IDC_ELEMENT_BASE);
    edit.SetFocus();
    TestInput::KeyClick(edit, 'A', FCONTROL);
    TestInput::TypeText(edit, "42");
    // The key reaches the editor, not the edit box's own undo.
    TestInput::KeyClick(edit, 'Z', FCONTROL);
    EXPECT_EQ(Byte(0), 5);
    EXPECT_EQ(ShownValue(), "5");
    TestInput::KeyClick(edit, 'Y', FCONTROL);
    EXPECT_EQ(ShownValue(), "99");
    EXPECT_EQ(Title(), "Quillmoor - game.rom *");
}

} // namespace
