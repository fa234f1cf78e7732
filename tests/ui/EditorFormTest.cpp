// The dialog's form handlers: Apply Changes into the image, the title, the
// entry selector, and a module that does not fit the ROM. The module is made
// current the way the module list does it, so these run without files.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "DialogHarness.h"
#include "TestInput.h"
#include "app/CEditorApp.h"
#include "platform/windows/AcceleratorTable.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CEdit.h"
#include "platform/windows/CMenu.h"
#include "res/resource.h"
#include "res/ui/EditorResources.h"
#include "table/CTableModule.h"
#include "ui/CEditorDlg.h"
#include "ui/CScrollPanel.h"
#include "ui/model/EditorState.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class EditorFormTest : public DialogHarness {
protected:
    // A ROM "test.rom" open and `module` current, as Open Rom and the
    // module list leave them; entry 0 shown when the module fits.
    void Open(std::unique_ptr<CTableModule> module, const Bytes& rom) {
        ASSERT_TRUE(m_dlg.Create());
        m_app.m_hAccel = LoadAccelerators(EditorResources::EditorAccelerators());
        m_app.m_pMainWnd = &m_dlg;
        EditorState& state = State();
        state.document.Adopt(rom, "test.rom");
        state.modules.push_back(std::move(module));
        state.ModulesChanged();
        state.SelectModule(0);
    }

    CTableModule& Module() { return *State().modules[0]; }
    CWnd& Value(int i) { return *Panel()->GetDlgItem(IDC_ELEMENT_BASE + i); }
    CEdit& Edit(int i) { return dynamic_cast<CEdit&>(Value(i)); }
    CComboBox& Combo(int i) { return dynamic_cast<CComboBox&>(Value(i)); }
    Bytes Image() const { return Bytes(Document().Data(), Document().Data() + Document().Length()); }

    // Replaces the text of an edit box the way a user does.
    void Retype(int i, const std::string& text) {
        Edit(i).SetFocus();
        TestInput::KeyClick(Edit(i), 'A', FCONTROL);
        TestInput::TypeText(Edit(i), text);
    }

    void PressEnter(int inElement) { TestInput::KeyClick(Value(inElement), VK_RETURN); }
};

// Three entries of 4 bytes after a 2-byte header, 2 bytes after the table.
const Bytes kRom = {0xAA, 0xBB, 1, 0, 0x05, 0x21, 2, 0, 0x06, 0x22, 3, 0, 0x07, 0x23, 0xCC, 0xDD};

std::unique_ptr<CTableModule> SmallModule() {
    return MakeModule(2, 3, 4,
                      {{"Count", 0, 2, 0, {}},
                       {"Kind", 2, 1, STYLE_DROPBOX, {{5, "Five"}, {6, "Six"}, {7, "Seven"}}},
                       {"Code", 3, 1, STYLE_HEX, {}}});
}

TEST_F(EditorFormTest, EnterAppliesTheEntryIntoTheImageOnly) {
    Open(SmallModule(), kRom);
    TestInput::ChooseComboItem(*EntryCombo(), 1);
    ASSERT_EQ(Edit(0).GetWindowText(), "2");

    Retype(0, "0x10");
    Retype(2, " 0x7f");
    PressEnter(2);

    Bytes expected = kRom;
    expected[6] = 0x10;
    expected[9] = 0x7F;
    EXPECT_EQ(Image(), expected);
    EXPECT_TRUE(Document().IsModified());
    EXPECT_EQ(m_dlg.GetWindowText(), "Quillmoor - test.rom *");
    // The controls show the stored bytes in their normal form.
    EXPECT_EQ(Edit(0).GetWindowText(), "16");
    EXPECT_EQ(Edit(2).GetWindowText(), "0x7F");
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
}

TEST_F(EditorFormTest, InvalidElementLeavesImageFlagAndTitle) {
    Open(MakeModule(0, 1, 4, {{"Count", 0, 1, 0, {}}, {"Flags", 1, 3, STYLE_HEXARRAY, {}}}),
         Bytes{1, 2, 3, 4});
    Retype(0, "99");
    Retype(1, "02 03");
    m_modals.AnswerMessageBox(IDOK);
    PressEnter(1);

    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_modals.MessageBoxes()[0].text, "One of your hex arrays is improperly formatted.");
    EXPECT_EQ(Image(), (Bytes{1, 2, 3, 4}));
    EXPECT_FALSE(Document().IsModified());
    EXPECT_EQ(m_dlg.GetWindowText(), "Quillmoor - test.rom");
    EXPECT_EQ(Edit(1).GetWindowText(), "02 03");
}

TEST_F(EditorFormTest, ReselectingTheShownEntryKeepsEditsAnotherDiscardsThem) {
    Open(SmallModule(), kRom);
    Retype(0, "77");
    TestInput::ChooseComboItem(*EntryCombo(), 0);
    EXPECT_EQ(Edit(0).GetWindowText(), "77");

    TestInput::ChooseComboItem(*EntryCombo(), 2);
    EXPECT_EQ(Module().m_nCurEntry, 2);
    EXPECT_EQ(Edit(0).GetWindowText(), "3");
    EXPECT_EQ(Combo(1).GetCurSel(), 2);
    TestInput::ChooseComboItem(*EntryCombo(), 0);
    EXPECT_EQ(Edit(0).GetWindowText(), "1");
    EXPECT_EQ(Image(), kRom);
}

TEST_F(EditorFormTest, IncompatibleModuleShowsNothingPicksNothingAppliesNothing) {
    const Bytes shortRom(kRom.begin(), kRom.begin() + 13);
    Open(SmallModule(), shortRom);
    ASSERT_FALSE(State().Fits());
    EXPECT_TRUE(EntryCombo()->IsWindowEnabled());

    TestInput::ChooseComboItem(*EntryCombo(), 1);
    EXPECT_EQ(Module().m_nCurEntry, 0);
    EXPECT_EQ(Edit(0).GetWindowText(), "");

    Retype(0, "9");
    m_modals.AnswerMessageBox(IDOK);
    PressEnter(0);
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_modals.MessageBoxes()[0].text, kIncompatible);
    EXPECT_EQ(Image(), shortRom);
    EXPECT_FALSE(Document().IsModified());
    EXPECT_EQ(m_dlg.GetWindowText(), "Quillmoor - test.rom");
}

TEST_F(EditorFormTest, OverlapGoesToTheLaterElementEachControlKeepsItsOwnBuffer) {
    Open(MakeModule(0, 2, 2, {{"Word", 0, 2, 0, {}}, {"High byte", 1, 1, STYLE_HEX, {}}}),
         Bytes{0x34, 0x12, 0, 0});
    Retype(0, "0x5678");
    Retype(1, "0x9A");
    PressEnter(1);
    EXPECT_EQ(Image(), (Bytes{0x78, 0x9A, 0, 0}));
    EXPECT_EQ(Edit(0).GetWindowText(), std::to_string(0x5678));

    TestInput::ChooseComboItem(*EntryCombo(), 1);
    TestInput::ChooseComboItem(*EntryCombo(), 0);
    EXPECT_EQ(Edit(0).GetWindowText(), std::to_string(0x9A78));
}

TEST_F(EditorFormTest, UntouchedTextSurvivesAnApplyOfAnotherElement) {
    Open(MakeModule(0, 1, 4, {{"Name", 0, 3, STYLE_TEXT, {}}, {"Level", 3, 1, 0, {}}}),
         Bytes{0x41, 0x00, 0x42, 1});
    ASSERT_EQ(Edit(0).GetWindowText(), "A");
    Retype(1, "2");
    PressEnter(1);
    EXPECT_EQ(Image(), (Bytes{0x41, 0x00, 0x42, 2}));

    Retype(0, "Ox");
    PressEnter(0);
    EXPECT_EQ(Image(), (Bytes{'O', 'x', 0x00, 2}));
}

// A turn of the wheel over a combo box without the focus must not change
// what the next Enter writes, which entry is shown or which module is current.
TEST_F(EditorFormTest, TheWheelTurnsOnlyTheComboBoxThatHasTheFocus) {
    Open(SmallModule(), kRom);
    State().modules.push_back(SmallModule());
    ModuleSelector().AddString("First");
    ModuleSelector().AddString("Second");
    ModuleSelector().SetCurSel(0);
    Retype(0, "77");

    for (CComboBox* combo : {&Combo(1), EntryCombo(), &ModuleSelector()}) {
        TestInput::Wheel(*combo, -1);
        EXPECT_EQ(combo->GetCurSel(), 0) << combo->GetDlgCtrlID();
    }
    EXPECT_EQ(Edit(0).GetWindowText(), "77");
    EXPECT_EQ(State().CurrentModuleIndex(), 0);

    Combo(1).SetFocus();
    TestInput::Wheel(Combo(1), -1);
    EXPECT_EQ(Combo(1).GetCurSel(), 1);
    EXPECT_EQ(Edit(0).GetWindowText(), "77");
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
}

// A long form: the wheel anywhere over the panel scrolls it by lines, and a
// row that gets the focus is scrolled into view; the bar follows both.
TEST_F(EditorFormTest, TheWheelAndTheFocusScrollALongForm) {
    constexpr int kRows = 40;
    Open(MakeModule(0, 1, kRows, NumberElements(kRows)), Bytes(kRows, 1));
    CScrollPanel& panel = *Panel();
    CRect client;
    panel.GetClientRect(client);
    const int firstTop = RectInParent(Edit(0)).top;

    TestInput::Wheel(panel, -1);
    EXPECT_EQ(panel.GetScrollPos(SB_VERT), 30) << "one notch, three lines of 10";
    EXPECT_EQ(RectInParent(Edit(0)).top, firstTop - 30);
    TestInput::Wheel(Edit(3), -2);
    EXPECT_EQ(panel.GetScrollPos(SB_VERT), 90) << "over a row, the panel scrolls";
    TestInput::Wheel(panel, 1);
    EXPECT_EQ(panel.GetScrollPos(SB_VERT), 60);

    // The last row wholly shown, then Tab into the one below it.
    int last = 0;
    while (RectInParent(Edit(last + 1)).bottom <= client.Height())
        ++last;
    Edit(last).SetFocus();
    EXPECT_EQ(panel.GetScrollPos(SB_VERT), 60) << "a visible row needs no scrolling";
    TestInput::KeyClick(Edit(last), VK_TAB);
    ASSERT_EQ(CWnd::GetFocus(), &Edit(last + 1));
    EXPECT_EQ(RectInParent(Edit(last + 1)).bottom, client.Height());
    EXPECT_GT(panel.GetScrollPos(SB_VERT), 60);
    EXPECT_EQ(RectInParent(Edit(0)).top, firstTop - panel.GetScrollPos(SB_VERT));

    // Back up with Shift+Tab to a row above the visible part.
    const int top = panel.GetScrollPos(SB_VERT);
    int first = 0;
    while (RectInParent(Edit(first)).top < 0)
        ++first;
    Edit(first).SetFocus();
    TestInput::KeyClick(Edit(first), VK_TAB, FSHIFT);
    ASSERT_EQ(CWnd::GetFocus(), &Edit(first - 1));
    EXPECT_EQ(RectInParent(Edit(first - 1)).top, 0);
    EXPECT_LT(panel.GetScrollPos(SB_VERT), top);
    EXPECT_EQ(RectInParent(Edit(0)).top, firstTop - panel.GetScrollPos(SB_VERT));
}

} // namespace
