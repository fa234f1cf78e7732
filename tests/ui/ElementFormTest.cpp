#include "ui/ElementForm.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "DialogHarness.h"
#include "TestInput.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CEdit.h"
#include "platform/windows/CFont.h"
#include "platform/windows/CStatic.h"
#include "res/resource.h"
#include "table/CTableModule.h"
#include "ui/CEditorDlg.h"
#include "ui/CScrollPanel.h"
#include "ui/EditorView.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The form class on the dialog's own panel, selector and font, with row
// arrays of the test's own: what the dialog's handlers delegate to.
class ElementFormTest : public DialogHarness {
protected:
    void SetUp() override { ASSERT_TRUE(m_dlg.Create()); }

    ElementForm Form() {
        return ElementForm(m_dlg, *Panel(), *EntryCombo(), Probe().Font(), m_values, m_labels);
    }

    // Builds the form with a ROM open and shows entry `entry` of `rom`.
    void BuildAndShow(CTableModule& module, const Bytes& rom, int entry = 0) {
        Form().Build(module, true);
        Select(module, rom, entry);
    }

    void Select(CTableModule& module, const Bytes& rom, int entry) {
        ASSERT_TRUE(module.SelectEntry(entry, rom.data(), static_cast<std::uint32_t>(rom.size())));
        Form().Show(module);
    }

    CWnd& Value(int i) { return *Panel()->GetDlgItem(IDC_ELEMENT_BASE + i); }
    CComboBox& Combo(int i) { return dynamic_cast<CComboBox&>(Value(i)); }
    CEdit& Edit(int i) { return dynamic_cast<CEdit&>(Value(i)); }
    // The height the panel's bar covers.
    int ContentHeight() {
        SCROLLINFO info;
        Panel()->GetScrollInfo(SB_VERT, &info);
        return info.nMax;
    }

    static Bytes Buffer(const CTableModule& module, int i) {
        Bytes out(module.m_elements[static_cast<std::size_t>(i)]->size);
        module.GetElementData(i, out.data());
        return out;
    }

    ElementForm::ValueCtrls m_values;
    ElementForm::LabelCtrls m_labels;
};

TEST_F(ElementFormTest, RowsSitAtTheirPixelPlacesWithTheirStylesAndIds) {
    auto module = MakeModule(0, 3, 8,
                             {{"Hit points", 0, 2, 0, {}},
                              {"Name", 2, 4, STYLE_TEXT, {}},
                              {"Habitat", 6, 1, STYLE_DROPBOX, {{0, "Marsh"}, {1, "Wood"}}}});
    Form().Build(*module, true);

    // One row per element, a row's height apart: the value boxes end at one
    // right edge, a drop-down list reaches further left than an edit box,
    // and each label sits left of its value and level with it.
    const CRect first = RectInParent(Edit(0));
    const int pitch = RectInParent(Edit(1)).top - first.top;
    EXPECT_GE(pitch, first.Height());
    for (int i = 0; i < 3; ++i) {
        const CRect value = RectInParent(Value(i));
        const CRect label = RectInParent(*m_labels[static_cast<std::size_t>(i)]);
        EXPECT_EQ(value.top, first.top + i * pitch) << i;
        EXPECT_EQ(value.right, first.right) << i;
        EXPECT_EQ(label.left, RectInParent(*m_labels[0]).left) << i;
        EXPECT_LT(label.right, value.left) << i;
        EXPECT_LT(label.top, value.bottom) << i;
        EXPECT_GT(label.bottom, value.top) << i;
    }
    EXPECT_EQ(RectInParent(Edit(1)).left, first.left);
    EXPECT_LT(RectInParent(Combo(2)).left, first.left);
    CRect inside;
    Panel()->GetClientRect(inside);
    EXPECT_LE(first.right, inside.right) << "rows must fit the panel without scrolling sideways";

    // Edit boxes are framed tab stops whose text scrolls past their width;
    // the drop-down list lists the values in the module's order.
    EXPECT_EQ(Edit(0).GetStyle() & (WS_TABSTOP | ES_AUTOHSCROLL),
              static_cast<DWORD>(WS_TABSTOP | ES_AUTOHSCROLL));
    EXPECT_EQ(Edit(0).GetExStyle() & WS_EX_CLIENTEDGE, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(Combo(2).GetStyle() & (WS_TABSTOP | CBS_SORT | 0x3u),
              static_cast<DWORD>(WS_TABSTOP | CBS_DROPDOWNLIST));
    EXPECT_EQ(m_labels[1]->GetDlgCtrlID(), 0xFFFF);
    EXPECT_EQ(m_labels[1]->GetWindowText(), "Name");
    EXPECT_EQ(m_values[2].get(), &Value(2));
    // Rows come empty and unselected until an entry is shown.
    EXPECT_EQ(Edit(1).GetWindowText(), "");
    EXPECT_EQ(Combo(2).GetCurSel(), CB_ERR);
    EXPECT_EQ(Combo(2).GetLBText(1), "1 - Wood");

    // The entry selector spans the rows' width above the first row.
    const CRect entries = RectInParent(*EntryCombo());
    EXPECT_EQ(entries.left, RectInParent(*m_labels[0]).left);
    EXPECT_EQ(entries.right, first.right);
    EXPECT_LE(entries.bottom, first.top);
    EXPECT_EQ(EntryCombo()->GetCount(), 3);
    EXPECT_EQ(EntryCombo()->GetLBText(2), "Entry 2");
    EXPECT_EQ(EntryCombo()->GetCurSel(), 0);
    EXPECT_TRUE(EntryCombo()->IsWindowEnabled());
}

TEST_F(ElementFormTest, TabStepsDownTheRows) {
    auto module = MakeModule(
            0, 1, 4, {{"A", 0, 1, 0, {}}, {"B", 1, 1, STYLE_DROPBOX, {{7, "x"}}}, {"C", 2, 1, 0, {}}});
    Form().Build(*module, true);
    Edit(0).SetFocus();
    // Keys go to whatever holds the focus inside the dialog.
    TestInput::KeyClick(m_dlg, VK_TAB);
    TestInput::TypeText(m_dlg, "7");
    EXPECT_EQ(Combo(1).GetCurSel(), 0);
    TestInput::KeyClick(m_dlg, VK_TAB);
    TestInput::TypeText(m_dlg, "5");
    EXPECT_EQ(Edit(2).GetWindowText(), "5");
    EXPECT_EQ(Edit(0).GetWindowText(), "");
}

TEST_F(ElementFormTest, ScrollingStartsAtThirteenElements) {
    CRect client;
    Panel()->GetClientRect(client);
    auto twelve = MakeModule(0, 1, 13, NumberElements(12));
    Form().Build(*twelve, false);
    EXPECT_FALSE(Panel()->IsScrollBarEnabled(SB_VERT));
    // Twelve rows fit the panel; the bar covers the form's height.
    const int pitch = RectInParent(Edit(1)).top - RectInParent(Edit(0)).top;
    const int twelveHeight = ContentHeight();
    EXPECT_LE(twelveHeight, client.Height());
    EXPECT_GE(twelveHeight, RectInParent(Edit(11)).bottom);
    // Without a ROM the selector is filled but cannot be used.
    EXPECT_EQ(EntryCombo()->GetCount(), 1);
    EXPECT_FALSE(EntryCombo()->IsWindowEnabled());
    Form().Destroy(true);

    auto thirteen = MakeModule(0, 1, 13, NumberElements(13));
    Form().Build(*thirteen, false);
    EXPECT_TRUE(Panel()->IsScrollBarEnabled(SB_VERT));
    EXPECT_EQ(ContentHeight(), twelveHeight + pitch);
    EXPECT_GT(ContentHeight(), client.Height()) << "the thirteenth row needs the bar";
    EXPECT_NE(Panel()->GetDlgItem(IDC_ELEMENT_BASE + 12), nullptr);
}

TEST_F(ElementFormTest, DestroyScrollsToTheTopAndClearsRowsSelectorAndBar) {
    auto module = MakeModule(0, 2, 20, NumberElements(20));
    Form().Build(*module, true);
    const LONG top = RectInParent(Edit(0)).top;
    Panel()->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    ASSERT_GT(Panel()->GetScrollPos(SB_VERT), 0);
    ASSERT_LT(RectInParent(Edit(0)).top, top);

    Form().Destroy(true);
    EXPECT_EQ(Panel()->GetScrollPos(SB_VERT), 0);
    EXPECT_TRUE(m_values.empty());
    EXPECT_TRUE(m_labels.empty());
    EXPECT_EQ(Panel()->GetDlgItem(IDC_ELEMENT_BASE), nullptr);
    EXPECT_EQ(EntryCombo()->GetCount(), 0);
    EXPECT_FALSE(Panel()->IsScrollBarEnabled(SB_VERT));

    // The next form's first row is back at its place, not a page up.
    Form().Build(*module, true);
    EXPECT_EQ(RectInParent(Edit(0)).top, top);
}

TEST_F(ElementFormTest, DestroyWithoutModuleOnlyScrolls) {
    auto module = MakeModule(0, 2, 20, NumberElements(20));
    Form().Build(*module, true);
    Panel()->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    Form().Destroy(false);
    EXPECT_EQ(Panel()->GetScrollPos(SB_VERT), 0);
    EXPECT_EQ(m_values.size(), 20u);
    EXPECT_EQ(EntryCombo()->GetCount(), 2);
    EXPECT_TRUE(Panel()->IsScrollBarEnabled(SB_VERT));
}

TEST_F(ElementFormTest, ShowsEveryKindAndReadsItBackInNormalForm) {
    auto module =
            MakeModule(0, 1, 16,
                       {{"Count", 0, 2, 0, {}},
                        {"Temper", 2, 1, STYLE_SIGNED, {}},
                        {"Gold", 3, 2, STYLE_HEX, {}},
                        {"Flags", 5, 3, STYLE_HEXARRAY, {}},
                        {"Name", 8, 4, STYLE_TEXT, {}},
                        {"Affinity", 12, 1, STYLE_DROPBOX | STYLE_HEX, {{0x00, "None"}, {0x10, "Fire"}}}});
    module->m_charOf[0x01] = 'T';
    module->m_codeOf['T'] = 0x01;
    const Bytes rom = {0x80, 0x02, 0xFD, 0x40, 0x1F, 0x01, 0xAB, 0x00, 0x01, 'o', 'a', 'd', 0x10, 0, 0, 0};
    BuildAndShow(*module, rom);

    EXPECT_EQ(Edit(0).GetWindowText(), "640");
    EXPECT_EQ(Edit(1).GetWindowText(), "-3");
    EXPECT_EQ(Edit(2).GetWindowText(), "0x1F40");
    EXPECT_EQ(Edit(3).GetWindowText(), "01 AB 00");
    EXPECT_EQ(Edit(4).GetWindowText(), "Toad");
    EXPECT_EQ(Combo(5).GetCurSel(), 1);
    EXPECT_EQ(Combo(5).GetLBText(1), "0x10 - Fire");

    Edit(0).SetWindowText("0x10");
    Edit(1).SetWindowText("-128");
    Edit(2).SetWindowText("0x1f");
    Edit(3).SetWindowText("ff-0a- 7");
    Edit(4).SetWindowText("Tea");
    Combo(5).SetCurSel(0);
    ASSERT_TRUE(Form().ReadBack(*module));
    EXPECT_EQ(Buffer(*module, 0), (Bytes{0x10, 0x00}));
    EXPECT_EQ(Buffer(*module, 1), (Bytes{0x80}));
    EXPECT_EQ(Buffer(*module, 2), (Bytes{0x1F, 0x00}));
    EXPECT_EQ(Buffer(*module, 3), (Bytes{0xFF, 0x0A, 0x07}));
    EXPECT_EQ(Buffer(*module, 4), (Bytes{0x01, 'e', 'a', 0x00}));
    EXPECT_EQ(Buffer(*module, 5), (Bytes{0x00}));

    Form().Show(*module);
    EXPECT_EQ(Edit(0).GetWindowText(), "16");
    EXPECT_EQ(Edit(2).GetWindowText(), "0x1F");
    EXPECT_EQ(Edit(3).GetWindowText(), "FF 0A 07");
    EXPECT_EQ(Edit(4).GetWindowText(), "Tea");
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
}

TEST_F(ElementFormTest, TextLimitsCapTypingOnlyForArraysAndText) {
    auto module = MakeModule(
            0, 1, 16,
            {{"Flags", 0, 4, STYLE_HEXARRAY, {}}, {"Name", 4, 8, STYLE_TEXT, {}}, {"N", 12, 4, 0, {}}});
    BuildAndShow(*module, Bytes(16, 0));
    EXPECT_EQ(Edit(0).GetLimitText(), 11u);
    EXPECT_EQ(Edit(1).GetLimitText(), 8u);
    EXPECT_GT(Edit(2).GetLimitText(), 1000u);

    Edit(0).SetWindowText("");
    Edit(0).SetFocus();
    TestInput::TypeText(Edit(0), "01 02 03 04 05");
    EXPECT_EQ(Edit(0).GetWindowText(), "01 02 03 04");
    Edit(1).SetWindowText("");
    Edit(1).SetFocus();
    TestInput::TypeText(Edit(1), "Gloambat the Second");
    EXPECT_EQ(Edit(1).GetWindowText(), "Gloambat");
    Edit(2).SetFocus();
    TestInput::TypeText(Edit(2), "                   7");
    EXPECT_EQ(Edit(2).GetWindowText().size(), 21u);
}

TEST_F(ElementFormTest, DropboxWithoutMatchingValueLosesItsSelectionAndIsRefused) {
    auto module = MakeModule(0, 2, 2, {{"Kind", 0, 2, STYLE_DROPBOX, {{1, "One"}, {2, "Two"}, {1, "Uno"}}}});
    const Bytes rom = {0x01, 0x00, 0x05, 0x00};
    BuildAndShow(*module, rom, 0);
    // Of two items with the same value the later one is shown.
    EXPECT_EQ(Combo(0).GetCurSel(), 2);

    Select(*module, rom, 1);
    EXPECT_EQ(Combo(0).GetCurSel(), CB_ERR);
    m_modals.AnswerMessageBox(IDOK);
    EXPECT_FALSE(Form().ReadBack(*module));
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_modals.MessageBoxes()[0].text, "One of the dropdown boxes does not have a valid selection.");
    EXPECT_EQ(Buffer(*module, 0), (Bytes{0x05, 0x00}));
}

TEST_F(ElementFormTest, BiscuitsComeOnEveryPassAndBeforeALaterError) {
    auto module = MakeModule(0, 1, 8,
                             {{"Biscuits", 0, 1, STYLE_BISCUIT, {}},
                              {"Flags", 1, 2, STYLE_HEXARRAY, {}},
                              {"After", 3, 1, 0, {}}});
    BuildAndShow(*module, Bytes{3, 0xAA, 0xBB, 9, 0, 0, 0, 0});

    // Unchanged values still bake.
    m_modals.AnswerMessageBox(IDOK);
    ASSERT_TRUE(Form().ReadBack(*module));
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_modals.MessageBoxes()[0].text, "LET'S MAKE BISCUITS!");
    EXPECT_EQ(m_modals.MessageBoxes()[0].caption, "Biscuits");
    EXPECT_EQ(m_modals.MessageBoxes()[0].type, static_cast<UINT>(MB_OK));

    Edit(0).SetWindowText("7");
    Edit(1).SetWindowText("AA BB ");
    Edit(2).SetWindowText("42");
    m_modals.AnswerMessageBox(IDOK);
    m_modals.AnswerMessageBox(IDOK);
    EXPECT_FALSE(Form().ReadBack(*module));
    ASSERT_EQ(m_modals.MessageBoxes().size(), 3u);
    EXPECT_EQ(m_modals.MessageBoxes()[1].caption, "Biscuits");
    EXPECT_EQ(m_modals.MessageBoxes()[2].text, "One of your hex arrays is improperly formatted.");
    EXPECT_NE(m_modals.MessageBoxes()[2].caption, "Biscuits");
    // Elements before the failing one hold their new bytes, later ones not.
    EXPECT_EQ(Buffer(*module, 0), (Bytes{7}));
    EXPECT_EQ(Buffer(*module, 1), (Bytes{0xAA, 0xBB}));
    EXPECT_EQ(Buffer(*module, 2), (Bytes{9}));
}

TEST_F(ElementFormTest, UntouchedTextKeepsItsBytesEditedTextFollowsTheReadingRule) {
    auto module = MakeModule(0, 1, 8,
                             {{"Hidden tail", 0, 3, STYLE_TEXT, {}}, {"Twin codes", 3, 2, STYLE_TEXT, {}}});
    // Codes 0x41 and 0x90 both show as 'A'; 'A' is stored as 0x41.
    module->m_charOf[0x90] = 'A';
    const Bytes rom = {0x41, 0x00, 0x42, 0x90, 0x90, 0, 0, 0};
    BuildAndShow(*module, rom);
    ASSERT_EQ(Edit(0).GetWindowText(), "A");
    ASSERT_EQ(Edit(1).GetWindowText(), "AA");

    ASSERT_TRUE(Form().ReadBack(*module));
    EXPECT_EQ(Buffer(*module, 0), (Bytes{0x41, 0x00, 0x42}));
    EXPECT_EQ(Buffer(*module, 1), (Bytes{0x90, 0x90}));

    // Typed text: zeros after it, codes through the character table.
    Edit(0).SetFocus();
    TestInput::KeyClick(Edit(0), VK_END);
    TestInput::TypeText(Edit(0), "b");
    Edit(1).SetWindowText("A");
    ASSERT_TRUE(Form().ReadBack(*module));
    EXPECT_EQ(Buffer(*module, 0), (Bytes{0x41, 'b', 0x00}));
    EXPECT_EQ(Buffer(*module, 1), (Bytes{0x41, 0x00}));

    // An edit taken back to the very text shown counts as untouched again.
    Select(*module, rom, 0);
    Edit(1).SetWindowText("Z");
    Edit(1).SetWindowText("AA");
    ASSERT_TRUE(Form().ReadBack(*module));
    EXPECT_EQ(Buffer(*module, 1), (Bytes{0x90, 0x90}));
}

} // namespace
