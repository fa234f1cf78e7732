#include "ui/CEditorDlg.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

#include "EditorTestSupport.h"
#include "platform/windows/BitmapImage.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CEdit.h"
#include "platform/windows/CFont.h"
#include "platform/windows/CMenu.h"
#include "res/resource.h"
#include "tests/platform/ModalScript.h"
#include "tests/platform/TestInput.h"
#include "ui/CScrollPanel.h"

namespace {

CRect RectInParent(const CWnd& child) {
    CRect r;
    child.GetWindowRect(r);
    child.GetParent()->ScreenToClient(r);
    return r;
}

class EditorDlgTest : public ::testing::Test {
protected:
    void Open() {
        ASSERT_TRUE(m_dlg.Create());
        m_app.m_hAccel = LoadAccelerators(EditorResources::EditorAccelerators());
        m_app.m_pMainWnd = &m_dlg;
    }

    UINT State(int nID) { return m_dlg.GetMenu()->GetMenuState(static_cast<UINT>(nID), MF_BYCOMMAND); }

    TempRegistry m_registry;
    ModalScript m_modals;
    CEditorApp m_app;
    ObservedEditorDlg m_dlg;
};

TEST_F(EditorDlgTest, StartsWithCaptionMenuAndControlsOfNoDocument) {
    Open();
    EXPECT_EQ(m_dlg.GetWindowText(), "Quillmoor - No file open");
    for (int id : {ID_FILE_CLOSEROM, ID_FILE_SAVEROM, ID_FILE_APPLY, ID_MODULES_UNLOAD, ID_MODULES_LINK})
        EXPECT_EQ(State(id) & MF_GRAYED, MF_GRAYED) << id;
    for (int id :
         {ID_FILE_OPENROM, IDCANCEL, ID_MODULES_LOAD, ID_MODULES_ASSOCIATE, ID_HELP_HELP, ID_HELP_ABOUT})
        EXPECT_EQ(State(id) & MF_GRAYED, 0u) << id;
    EXPECT_EQ(State(ID_MODULES_ASSOCIATE) & MF_CHECKED, 0u);

    CWnd* pModules = m_dlg.GetDlgItem(IDC_MODULE_COMBO);
    ASSERT_NE(pModules, nullptr);
    EXPECT_FALSE(pModules->IsWindowEnabled());
    ASSERT_NE(m_dlg.m_pEntryCombo, nullptr);
    EXPECT_FALSE(m_dlg.m_pEntryCombo->IsWindowEnabled());
    EXPECT_EQ(m_dlg.m_pEntryCombo->GetParent(), m_dlg.m_pPanel.get());
    EXPECT_EQ(m_dlg.m_pEntryCombo->GetCount(), 0);
    EXPECT_FALSE(m_dlg.m_pPanel->IsScrollBarEnabled(SB_VERT));
    EXPECT_TRUE(m_dlg.m_pPanel->IsScrollBarVisible(SB_VERT));
    EXPECT_EQ(m_dlg.m_nCurModule, -1);
    EXPECT_TRUE(m_dlg.m_bCompatible);
    EXPECT_FALSE(m_dlg.m_bRomOpen);
}

TEST_F(EditorDlgTest, MenuTextsKeepMnemonicsAndKeyColumn) {
    Open();
    const CMenu* pMenu = m_dlg.GetMenu();
    EXPECT_EQ(pMenu->GetMenuItemCount(), 3);
    EXPECT_EQ(pMenu->GetMenuString(0, MF_BYPOSITION), "&File");
    EXPECT_EQ(pMenu->GetMenuString(1, MF_BYPOSITION), "&Modules");
    EXPECT_EQ(pMenu->GetMenuString(2, MF_BYPOSITION), "&Help");
    EXPECT_EQ(pMenu->GetMenuString(ID_FILE_OPENROM, MF_BYCOMMAND), "&Open Rom...\tCtrl+O");
    EXPECT_EQ(pMenu->GetMenuString(ID_FILE_SAVEROM, MF_BYCOMMAND), "&Save Rom\tCtrl+S");
    EXPECT_EQ(pMenu->GetMenuString(ID_FILE_APPLY, MF_BYCOMMAND), "&Apply Changes\tEnter");
    EXPECT_EQ(pMenu->GetMenuString(IDCANCEL, MF_BYCOMMAND), "E&xit");
    EXPECT_EQ(pMenu->GetMenuString(ID_MODULES_ASSOCIATE, MF_BYCOMMAND), "&Associate .qlm Files");
    EXPECT_EQ(pMenu->GetMenuString(ID_HELP_HELP, MF_BYCOMMAND), "&Help\tF1");
}

TEST_F(EditorDlgTest, IconFontAndIconPicture) {
    Open();
    ASSERT_NE(m_dlg.m_hIcon, nullptr);
    EXPECT_EQ(m_dlg.GetIcon(TRUE), m_dlg.m_hIcon);
    EXPECT_EQ(m_dlg.GetIcon(FALSE), m_dlg.m_hIcon);
    const BitmapImage icon = GetIconImage(m_dlg.m_hIcon);
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Height(), 32);
    ASSERT_NE(m_dlg.m_pFont, nullptr);
    EXPECT_NE(std::string(m_dlg.m_pFont->GetResolvedFamily()).find("Serif"), std::string::npos);
    EXPECT_GT(m_dlg.m_pFont->GetPixelHeight(), 10);
}

TEST_F(EditorDlgTest, AssociateIsCheckedOnlyWhenTheKeyExists) {
    m_registry.CreateKey(".qlm");
    Open();
    EXPECT_EQ(State(ID_MODULES_ASSOCIATE) & MF_CHECKED, MF_CHECKED);

    // Another key of the same family is not the association.
    TempRegistry other;
    other.CreateKey("Quillmoor.Module");
    ObservedEditorDlg second;
    ASSERT_TRUE(second.Create());
    EXPECT_EQ(second.GetMenu()->GetMenuState(ID_MODULES_ASSOCIATE, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(EditorDlgTest, SelectorInDialogUnitsPanelAndEntrySelectorInPixels) {
    Open();
    CRect expected(7, 7, 7 + 313, 7 + 15);
    m_dlg.MapDialogRect(expected);
    const CRect modules = RectInParent(*m_dlg.GetDlgItem(IDC_MODULE_COMBO));
    EXPECT_EQ(modules.left, expected.left);
    EXPECT_EQ(modules.top, expected.top);
    EXPECT_EQ(modules.Width(), expected.Width());
    const SIZE base = m_dlg.GetDialogBaseUnits();
    EXPECT_GT(base.cx, 4);

    EXPECT_EQ(RectInParent(*m_dlg.m_pPanel), CRect(12, 40, 481, 470));
    EXPECT_EQ(m_dlg.m_pPanel->GetDlgCtrlID(), IDC_PANEL);
    const CRect entry = RectInParent(*m_dlg.m_pEntryCombo);
    EXPECT_EQ(entry.left, 10);
    EXPECT_EQ(entry.top, 10);
    EXPECT_EQ(entry.Width(), 433);
    EXPECT_EQ(m_dlg.m_pEntryCombo->GetStyle(), 0x50210203u | WS_DISABLED);

    // The dialog is large enough to hold the panel below the selector.
    CRect client;
    m_dlg.GetClientRect(client);
    EXPECT_GE(client.right, 481);
    EXPECT_GE(client.bottom, 470);
}

TEST_F(EditorDlgTest, PanelBarPageIsTheClientHeightFromTheStart) {
    Open();
    CRect client;
    m_dlg.m_pPanel->GetClientRect(client);
    SCROLLINFO info;
    ASSERT_TRUE(m_dlg.m_pPanel->GetScrollInfo(SB_VERT, &info));
    EXPECT_EQ(info.nMax, 1000);
    // The panel is made while the dialog is still hidden; its page must
    // already be the height it will show with.
    EXPECT_GT(client.Height(), 400);
    EXPECT_EQ(static_cast<int>(info.nPage), client.Height());
}

TEST_F(EditorDlgTest, CommandTableRoutesEachCommandToItsHandler) {
    using D = CEditorDlg;
    const std::pair<UINT, void (D::*)()> commands[] = {
            {ID_FILE_OPENROM, &D::OnOpenRom},     {ID_FILE_CLOSEROM, &D::OnCloseRom},
            {ID_FILE_SAVEROM, &D::OnSaveRom},     {ID_FILE_APPLY, &D::OnApplyChanges},
            {ID_MODULES_LOAD, &D::OnLoadModules}, {ID_MODULES_UNLOAD, &D::OnUnloadModule},
            {ID_MODULES_LINK, &D::OnLinkRom},     {ID_MODULES_ASSOCIATE, &D::OnAssociate},
            {ID_HELP_ABOUT, &D::OnAbout},         {ID_HELP_HELP, &D::OnHelp},
    };
    for (const auto& [id, handler] : commands) {
        // From the menu (code 0) and from an accelerator (code 1).
        for (WORD code : {WORD{0}, WORD{1}}) {
            const D::CommandEntry* e = D::FindCommand(MAKEWPARAM(static_cast<WORD>(id), code), 0);
            ASSERT_NE(e, nullptr) << id;
            EXPECT_TRUE(e->pfnHandler == handler) << id;
        }
    }
    const D::CommandEntry* modules = D::FindCommand(MAKEWPARAM(IDC_MODULE_COMBO, CBN_SELCHANGE), 1);
    ASSERT_NE(modules, nullptr);
    EXPECT_TRUE(modules->pfnHandler == &D::OnModuleSelChange);
    const D::CommandEntry* entries = D::FindCommand(MAKEWPARAM(IDC_ENTRY_COMBO, CBN_SELCHANGE), 1);
    ASSERT_NE(entries, nullptr);
    EXPECT_TRUE(entries->pfnHandler == &D::OnEntrySelChange);

    EXPECT_EQ(D::CommandTable().size(), 12u);
    // Exit has no entry of its own, and other notifications match nothing.
    EXPECT_EQ(D::FindCommand(MAKEWPARAM(IDCANCEL, 0), 0), nullptr);
    EXPECT_EQ(D::FindCommand(MAKEWPARAM(IDC_ENTRY_COMBO, CBN_DROPDOWN), 1), nullptr);
    EXPECT_EQ(D::FindCommand(MAKEWPARAM(IDC_ELEMENT_BASE, EN_CHANGE), 1), nullptr);
    EXPECT_EQ(D::FindCommand(MAKEWPARAM(IDC_ELEMENT_BASE, CBN_SELCHANGE), 1), nullptr);
}

TEST_F(EditorDlgTest, PanelChildrenNotificationsReachTheTable) {
    Open();
    CComboBox& entries = *m_dlg.m_pEntryCombo;
    entries.EnableWindow(TRUE);
    entries.AddString("Slime");
    entries.AddString("Wyvern");
    TestInput::ChooseComboItem(entries, 1);
    ASSERT_FALSE(m_dlg.m_commands.empty());
    EXPECT_EQ(m_dlg.m_commands.back().nID, static_cast<UINT>(IDC_ENTRY_COMBO));
    EXPECT_EQ(m_dlg.m_commands.back().nCode, CBN_SELCHANGE);
    EXPECT_TRUE(m_dlg.m_commands.back().bHandled);

    // An element control's notifications arrive too and match nothing.
    CEdit element;
    ASSERT_TRUE(element.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 40, 200, 52),
                               m_dlg.m_pPanel.get(), IDC_ELEMENT_BASE));
    m_dlg.m_commands.clear();
    TestInput::TypeText(element, "7");
    ASSERT_FALSE(m_dlg.m_commands.empty());
    EXPECT_EQ(m_dlg.m_commands.back().nID, static_cast<UINT>(IDC_ELEMENT_BASE));
    EXPECT_FALSE(m_dlg.m_commands.back().bHandled);
}

TEST_F(EditorDlgTest, KeysRunTheirCommandsOnlyWhileEnabled) {
    Open();
    m_modals.CancelFileDialog();
    m_modals.AnswerShellExecute(true);
    TestInput::KeyClick(m_dlg, 'O', FCONTROL);
    TestInput::KeyClick(m_dlg, VK_F1);
    TestInput::KeyClick(m_dlg, 'S', FCONTROL);
    TestInput::KeyClick(m_dlg, VK_RETURN);
    EXPECT_EQ(m_dlg.CommandIds(), (std::vector<UINT>{ID_FILE_OPENROM, ID_HELP_HELP}));
    for (const auto& c : m_dlg.m_commands)
        EXPECT_TRUE(c.bHandled);
    EXPECT_FALSE(m_dlg.IsEnded());

    m_dlg.m_commands.clear();
    m_dlg.SetItem(ID_FILE_SAVEROM, true);
    m_dlg.SetItem(ID_FILE_APPLY, true);
    m_dlg.SetItem(ID_FILE_OPENROM, false);
    TestInput::KeyClick(m_dlg, 'S', FCONTROL);
    TestInput::KeyClick(m_dlg, VK_RETURN);
    TestInput::KeyClick(m_dlg, 'O', FCONTROL);
    EXPECT_EQ(m_dlg.CommandIds(), (std::vector<UINT>{ID_FILE_SAVEROM, ID_FILE_APPLY}));
    EXPECT_FALSE(m_dlg.IsEnded());
}

TEST_F(EditorDlgTest, EnterInAnElementControlAppliesTheWholeEntry) {
    Open();
    CEdit element;
    ASSERT_TRUE(element.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 40, 200, 52),
                               m_dlg.m_pPanel.get(), IDC_ELEMENT_BASE));
    element.SetFocus();
    TestInput::KeyClick(element, VK_RETURN);
    EXPECT_TRUE(m_dlg.m_commands.empty());
    EXPECT_FALSE(m_dlg.IsEnded());

    m_dlg.SetItem(ID_FILE_APPLY, true);
    TestInput::KeyClick(element, VK_RETURN);
    EXPECT_EQ(m_dlg.CommandIds(), (std::vector<UINT>{ID_FILE_APPLY}));
    EXPECT_FALSE(m_dlg.IsEnded());
}

TEST_F(EditorDlgTest, KeysInAnotherWindowStayThere) {
    Open();
    DialogTemplate otherTemplate = EditorResources::EditorDialog();
    otherTemplate.menu = nullptr;
    otherTemplate.caption = "another window";
    CDialog other(&otherTemplate);
    ASSERT_TRUE(other.Create());
    TestInput::KeyClick(other, 'O', FCONTROL);
    TestInput::KeyClick(other, VK_F1);
    EXPECT_TRUE(m_dlg.m_commands.empty());
}

// Escape, the close box and File > Exit are one way out.
class EditorDlgCancelTest : public EditorDlgTest, public ::testing::WithParamInterface<int> {
protected:
    void Leave() {
        switch (GetParam()) {
        case 0:
            TestInput::KeyClick(m_dlg, VK_ESCAPE);
            break;
        case 1:
            TestInput::ClickCloseBox(m_dlg);
            break;
        default:
            TestInput::ClickMenuItem(m_dlg, IDCANCEL);
            break;
        }
    }
};

TEST_P(EditorDlgCancelTest, EndsTheDialogThroughOnCancel) {
    Open();
    Leave();
    EXPECT_EQ(m_dlg.m_nCancels, 1);
    EXPECT_TRUE(m_dlg.IsEnded());
    EXPECT_EQ(m_dlg.GetEndResult(), IDCANCEL);
}

TEST_P(EditorDlgCancelTest, KeepsAModifiedImageOpen) {
    Open();
    m_dlg.m_bRomOpen = true;
    m_dlg.m_bModified = true;
    m_modals.AnswerMessageBox(IDCANCEL);
    Leave();
    EXPECT_EQ(m_dlg.m_nCancels, 1);
    EXPECT_FALSE(m_dlg.IsEnded());
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_modals.MessageBoxes()[0].text, "Apply changes before closing?");
}

std::string WayName(const ::testing::TestParamInfo<int>& info) {
    static const char* const names[] = {"Escape", "CloseBox", "FileExit"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Ways, EditorDlgCancelTest, ::testing::Values(0, 1, 2), WayName);

TEST_F(EditorDlgTest, ScreenshotShowsTheWindow) {
    Open();
    TestInput::ProcessEvents();
    const BitmapImage shot = TestInput::Grab(m_dlg);
    ASSERT_FALSE(shot.IsNull());
    CRect client;
    m_dlg.GetClientRect(client);
    EXPECT_GE(shot.Width(), client.Width());
    std::set<std::uint32_t> colours(shot.Pixels().begin(), shot.Pixels().end());
    // Menu text, the selector's frame, the panel's face and its border.
    EXPECT_GT(colours.size(), 8u);
    EXPECT_TRUE(TestInput::SaveScreenshot(m_dlg, QUILL_SCREENSHOT_PATH));
}

} // namespace
