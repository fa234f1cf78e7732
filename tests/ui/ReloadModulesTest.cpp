// Reload Modules (F5 and the Modules menu): the modules read again from
// disk while the ROM, the current module and the entry shown stay; a module
// that now fails is reported and dropped; typed edits are asked about first.

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "DialogHarness.h"
#include "TestInput.h"
#include "platform/windows/CComboBox.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "ui/CScrollPanel.h"

namespace {

using Titles = std::vector<std::string>;

class ReloadModulesTest : public DialogHarness {
protected:
    // Alpha and Beta over a 64-byte ROM whose byte i is 5 + i; Alpha
    // current at entry 2.
    void SetUpTwo() {
        Start();
        EXPECT_FALSE(Enabled(ID_MODULES_RELOAD));
        m_alpha = WriteModule("a.qlm", "Alpha", 0, 4);
        LoadModules({m_alpha, WriteModule("b.qlm", "Beta", 0, 3)});
        OpenRom(WriteRom("game.rom", 64, 5));
        TestInput::ChooseComboItem(*EntryCombo(), 2);
        ASSERT_EQ(ShownValue(), "13");
        EXPECT_TRUE(Enabled(ID_MODULES_RELOAD));
    }
    void TypeValue(const std::string& text) {
        CWnd* edit = Panel()->GetDlgItem(IDC_ELEMENT_BASE);
        edit->SetFocus();
        TestInput::KeyClick(*edit, 'A', FCONTROL);
        TestInput::TypeText(*edit, text);
    }
    void Reload() { TestInput::KeyClick(m_dlg, VK_F5); }
    int ShownEntry() { return EntryCombo()->GetCurSel(); }
    int Entries() { return EntryCombo()->GetCount(); }

    std::string m_alpha;
};

TEST_F(ReloadModulesTest, ChangedFileIsReadAgainKeepingModuleEntryAndRom) {
    SetUpTwo();
    // Alpha gains entries and a new title; Beta, second, is left alone.
    WriteModule("a.qlm", "Alpha 2", 16, 6);
    Reload();
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha 2", "Beta"}));
    EXPECT_EQ(State().CurrentModuleIndex(), 0);
    EXPECT_EQ(ModuleSelector().GetCurSel(), 0);
    EXPECT_EQ(Entries(), 6);
    EXPECT_EQ(ShownEntry(), 2);
    // The new base moves entry 2 to byte 16 + 8.
    EXPECT_EQ(ShownValue(), "29");
    EXPECT_EQ(Title(), "Quillmoor - game.rom");
    EXPECT_TRUE(Messages().empty());

    // An entry the new module lacks gives way to entry 0.
    WriteModule("a.qlm", "Alpha 3", 0, 2);
    TestInput::ClickMenuItem(m_dlg, ID_MODULES_RELOAD);
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha 3", "Beta"}));
    EXPECT_EQ(ShownEntry(), 0);
    EXPECT_EQ(ShownValue(), "5");
}

TEST_F(ReloadModulesTest, BrokenModulesAreReportedAndDroppedUntilNoneIsLeft) {
    SetUpTwo();
    ChooseModule(1);
    WriteBrokenModule("b.qlm");
    m_modals.AnswerMessageBox(IDOK);
    Reload();
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_modals.MessageBoxes()[0].caption, "Module Error");
    EXPECT_EQ(Messages()[0], ModuleErrorText("b.qlm", LoadError::Version) + "\n\n(line 1 of b.qlm)");
    // The current module went: the one before it takes over, at entry 0.
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha"}));
    EXPECT_EQ(State().CurrentModuleIndex(), 0);
    EXPECT_EQ(Entries(), 4);
    EXPECT_EQ(ShownValue(), "5");

    // A file that has gone is reported too, and the empty list ends as
    // unloading the last module does.
    std::remove(m_alpha.c_str());
    m_modals.AnswerMessageBox(IDOK);
    Reload();
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1].rfind("Cannot open a.qlm: ", 0), 0u) << Messages()[1];
    EXPECT_TRUE(ModuleTitles().empty());
    EXPECT_EQ(State().CurrentModuleIndex(), -1);
    EXPECT_FALSE(Enabled(ID_MODULES_RELOAD));
    EXPECT_FALSE(Enabled(ID_MODULES_UNLOAD));
    EXPECT_FALSE(Enabled(ID_FILE_APPLY));
    Reload(); // grayed: nothing happens
    EXPECT_EQ(Messages().size(), 2u);
}

// Typed edits: Cancel keeps everything, No drops them, Yes applies them
// into the image first; with nothing typed no question comes.
TEST_F(ReloadModulesTest, TypedEditsAreAskedAboutFirst) {
    SetUpTwo();
    WriteModule("a.qlm", "Alpha 2", 0, 4);

    TypeValue("77");
    m_modals.AnswerMessageBox(IDCANCEL);
    Reload();
    EXPECT_EQ(Messages(), (std::vector<std::string>{kApplyQuestion}));
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha", "Beta"}));
    EXPECT_EQ(ShownValue(), "77");

    m_modals.AnswerMessageBox(IDNO);
    Reload();
    EXPECT_EQ(ModuleTitles(), (Titles{"Alpha 2", "Beta"}));
    EXPECT_EQ(ShownValue(), "13");
    EXPECT_EQ(Document().Data()[8], 13);

    TypeValue("78");
    m_modals.AnswerMessageBox(IDYES);
    Reload();
    EXPECT_EQ(Document().Data()[8], 78);
    EXPECT_EQ(ShownValue(), "78");
    EXPECT_EQ(Title(), "Quillmoor - game.rom *");

    // Applied changes live in the image, so they need no question.
    Reload();
    EXPECT_EQ(CountMessages(kApplyQuestion), 3);
    EXPECT_EQ(ShownEntry(), 2);
}

} // namespace
