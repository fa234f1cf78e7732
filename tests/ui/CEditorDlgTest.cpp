#include "ui/CEditorDlg.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <tuple>

#include "DialogHarness.h"
#include "TestInput.h"
#include "platform/windows/BitmapImage.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CEdit.h"
#include "platform/windows/CFont.h"
#include "platform/windows/CMenu.h"
#include "res/resource.h"
#include "res/ui/EditorResources.h"
#include "ui/CScrollPanel.h"
#include "ui/EditorView.h"
#include "ui/model/BytesWindow.h"
#include "ui/model/EditorState.h"

namespace {

class EditorDlgTest : public DialogHarness {
protected:
    UINT MenuState(int id) { return m_dlg.GetMenu()->GetMenuState(static_cast<UINT>(id), MF_BYCOMMAND); }
};

TEST_F(EditorDlgTest, StartsWithCaptionMenuAndControlsOfNoDocument) {
    Start();
    EXPECT_EQ(m_dlg.GetWindowText(), "Quillmoor - No file open");
    for (int id : {ID_FILE_CLOSEROM, ID_FILE_SAVEROM, ID_FILE_APPLY, ID_MODULES_UNLOAD, ID_MODULES_RELOAD,
                   ID_MODULES_LINK})
        EXPECT_EQ(MenuState(id) & MF_GRAYED, MF_GRAYED) << id;
    for (int id :
         {ID_FILE_OPENROM, IDCANCEL, ID_MODULES_LOAD, ID_MODULES_ASSOCIATE, ID_HELP_HELP, ID_HELP_ABOUT})
        EXPECT_EQ(MenuState(id) & MF_GRAYED, 0u) << id;
    EXPECT_EQ(MenuState(ID_MODULES_ASSOCIATE) & MF_CHECKED, 0u);

    CWnd* modules = m_dlg.GetDlgItem(IDC_MODULE_COMBO);
    ASSERT_NE(modules, nullptr);
    EXPECT_FALSE(modules->IsWindowEnabled());
    ASSERT_NE(EntryCombo(), nullptr);
    EXPECT_FALSE(EntryCombo()->IsWindowEnabled());
    EXPECT_EQ(EntryCombo()->GetParent(), Panel());
    EXPECT_EQ(EntryCombo()->GetCount(), 0);
    EXPECT_FALSE(Panel()->IsScrollBarEnabled(SB_VERT));
    EXPECT_TRUE(Panel()->IsScrollBarVisible(SB_VERT));
    EXPECT_EQ(State().CurrentModuleIndex(), -1);
    EXPECT_TRUE(State().Fits());
    EXPECT_FALSE(Document().IsOpen());
}

TEST_F(EditorDlgTest, MenuTextsKeepMnemonicsAndKeyColumn) {
    Start();
    const CMenu* menu = m_dlg.GetMenu();
    EXPECT_EQ(menu->GetMenuItemCount(), 5);
    EXPECT_EQ(menu->GetMenuString(0, MF_BYPOSITION), "&File");
    EXPECT_EQ(menu->GetMenuString(1, MF_BYPOSITION), "&Edit");
    EXPECT_EQ(menu->GetMenuString(2, MF_BYPOSITION), "&View");
    EXPECT_EQ(menu->GetMenuString(3, MF_BYPOSITION), "&Modules");
    EXPECT_EQ(menu->GetMenuString(4, MF_BYPOSITION), "&Help");
    EXPECT_EQ(menu->GetMenuString(ID_VIEW_TABLE, MF_BYCOMMAND), "&Table...\tCtrl+T");
    EXPECT_EQ(menu->GetMenuString(ID_VIEW_BYTES, MF_BYCOMMAND), "&Bytes...\tCtrl+B");
    EXPECT_EQ(menu->GetMenuString(ID_MODULES_RELOAD, MF_BYCOMMAND), "&Reload Modules\tF5");
    EXPECT_EQ(menu->GetMenuString(ID_EDIT_UNDO, MF_BYCOMMAND), "&Undo\tCtrl+Z");
    EXPECT_EQ(menu->GetMenuString(ID_EDIT_REDO, MF_BYCOMMAND), "&Redo\tCtrl+Y");
    EXPECT_EQ(menu->GetMenuString(ID_FILE_OPENROM, MF_BYCOMMAND), "&Open Rom...\tCtrl+O");
    EXPECT_EQ(menu->GetMenuString(ID_FILE_SAVEROM, MF_BYCOMMAND), "&Save Rom\tCtrl+S");
    EXPECT_EQ(menu->GetMenuString(ID_FILE_APPLY, MF_BYCOMMAND), "&Apply Changes\tEnter");
    EXPECT_EQ(menu->GetMenuString(IDCANCEL, MF_BYCOMMAND), "E&xit");
    EXPECT_EQ(menu->GetMenuString(ID_MODULES_ASSOCIATE, MF_BYCOMMAND), "&Associate .qlm Files");
    EXPECT_EQ(menu->GetMenuString(ID_HELP_HELP, MF_BYCOMMAND), "&Help\tF1");
}

TEST_F(EditorDlgTest, IconFontAndIconPicture) {
    Start();
    ASSERT_NE(m_dlg.m_hIcon, nullptr);
    EXPECT_EQ(m_dlg.GetIcon(TRUE), m_dlg.m_hIcon);
    EXPECT_EQ(m_dlg.GetIcon(FALSE), m_dlg.m_hIcon);
    const BitmapImage icon = GetIconImage(m_dlg.m_hIcon);
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Height(), 32);
    ASSERT_NE(Probe().Font(), nullptr);
    EXPECT_NE(std::string(Probe().Font()->GetResolvedFamily()).find("Serif"), std::string::npos);
    EXPECT_GT(Probe().Font()->GetPixelHeight(), 10);
}

TEST_F(EditorDlgTest, AssociateIsCheckedOnlyWhenTheKeyExists) {
    ASSERT_TRUE(StoreSandbox::CreateKey(".qlm"));
    Start();
    EXPECT_EQ(MenuState(ID_MODULES_ASSOCIATE) & MF_CHECKED, MF_CHECKED);

    // Another key of the same family is not the association.
    StoreSandbox other;
    ASSERT_TRUE(StoreSandbox::CreateKey("Quillmoor.Module"));
    ObservedEditorDlg second;
    ASSERT_TRUE(second.Create());
    EXPECT_EQ(second.GetMenu()->GetMenuState(ID_MODULES_ASSOCIATE, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(EditorDlgTest, SelectorInDialogUnitsPanelAndEntrySelectorInPixels) {
    Start();
    // The module selector is where its template puts it, in dialog units.
    const DialogItemTemplate& item = EditorResources::EditorDialog().items.at(0);
    ASSERT_EQ(item.id, static_cast<UINT>(IDC_MODULE_COMBO));
    CRect expected(item.x, item.y, item.x + item.cx, item.y + item.cy);
    m_dlg.MapDialogRect(expected);
    const CRect modules = RectInParent(*m_dlg.GetDlgItem(IDC_MODULE_COMBO));
    EXPECT_EQ(modules.left, expected.left);
    EXPECT_EQ(modules.top, expected.top);
    EXPECT_EQ(modules.Width(), expected.Width());

    // The panel lies below the selector and wholly inside the dialog.
    CRect client;
    m_dlg.GetClientRect(client);
    const CRect panel = RectInParent(*Panel());
    EXPECT_EQ(m_dlg.GetDlgItem(IDC_PANEL), Panel());
    EXPECT_GE(panel.top, modules.bottom);
    EXPECT_GE(panel.left, client.left);
    EXPECT_LE(panel.right, client.right);
    EXPECT_LE(panel.bottom, client.bottom);

    // The entry selector sits inside the panel's client area: a drop-down
    // list the user reaches with Tab, disabled until a ROM is open.
    CRect inside;
    Panel()->GetClientRect(inside);
    const CRect entry = RectInParent(*EntryCombo());
    EXPECT_GE(entry.left, inside.left);
    EXPECT_GE(entry.top, inside.top);
    EXPECT_LE(entry.right, inside.right);
    const DWORD style = EntryCombo()->GetStyle();
    EXPECT_EQ(style & 0x3u, static_cast<DWORD>(CBS_DROPDOWNLIST));
    EXPECT_EQ(style & (WS_TABSTOP | WS_DISABLED), static_cast<DWORD>(WS_TABSTOP | WS_DISABLED));
}

TEST_F(EditorDlgTest, PanelBarPageIsTheClientHeightFromTheStart) {
    Start();
    CRect client;
    Panel()->GetClientRect(client);
    SCROLLINFO info;
    ASSERT_TRUE(Panel()->GetScrollInfo(SB_VERT, &info));
    EXPECT_EQ(info.nMax, 1000);
    // The panel is made while the dialog is still hidden; its page must
    // already be the height it will show with.
    EXPECT_GT(client.Height(), 400);
    EXPECT_EQ(static_cast<int>(info.nPage), client.Height());
}

// What each menu command does that no other command does, with a ROM open
// and a module current; each row scripts the modals its command raises.
struct Route {
    const char* name;
    UINT id;
    std::function<void(DialogHarness&, ModalScript&)> prepare;
    std::function<bool(DialogHarness&, ModalScript&)> ran;
};

void PrintTo(const Route& route, std::ostream* os) {
    *os << route.name;
}

const Route kRoutes[] = {
        {"OpenRom", ID_FILE_OPENROM, [](DialogHarness&, ModalScript& m) { m.CancelFileDialog(); },
         [](DialogHarness&, ModalScript& m) {
             return m.FileDialogs().back().filter == "All Files (*.*)|*.*|";
         }},
        {"CloseRom", ID_FILE_CLOSEROM, nullptr,
         [](DialogHarness& h, ModalScript&) {
             return h.m_dlg.GetWindowText() == "Quillmoor - No file open";
         }},
        {"SaveRom", ID_FILE_SAVEROM, [](DialogHarness& h, ModalScript&) { h.ApplyValue(77); },
         [](DialogHarness& h, ModalScript&) {
             return TempDir::ReadFile(h.m_rom).front() == 77;
         }},
        {"Apply", ID_FILE_APPLY, nullptr,
         [](DialogHarness& h, ModalScript&) {
             return h.m_dlg.GetWindowText() == "Quillmoor - game.rom *";
         }},
        {"LoadModules", ID_MODULES_LOAD, [](DialogHarness&, ModalScript& m) { m.CancelFileDialog(); },
         [](DialogHarness&, ModalScript& m) {
             return m.FileDialogs().back().filter == "Quillmoor modules (*.qlm)|*.qlm|";
         }},
        {"UnloadModule", ID_MODULES_UNLOAD, nullptr,
         [](DialogHarness& h, ModalScript&) {
             return h.State().modules.empty();
         }},
        {"ReloadModules", ID_MODULES_RELOAD,
         [](DialogHarness& h, ModalScript&) { h.WriteModule("a.qlm", "Alpha 2"); },
         [](DialogHarness& h, ModalScript&) {
             return h.ModuleTitles() == std::vector<std::string>{"Alpha 2"};
         }},
        {"Bytes", ID_VIEW_BYTES, nullptr,
         [](DialogHarness& h, ModalScript&) {
             return h.Probe().Bytes().IsVisible();
         }},
        {"LinkRom", ID_MODULES_LINK, nullptr,
         [](DialogHarness& h, ModalScript&) {
             return TempDir::Exists(h.Dir() + "game.ql.ini");
         }},
        {"Associate", ID_MODULES_ASSOCIATE, nullptr,
         [](DialogHarness&, ModalScript&) {
             return StoreSandbox::HasKey(".qlm");
         }},
        {"About", ID_HELP_ABOUT, [](DialogHarness&, ModalScript& m) { m.AnswerDialog(IDOK); },
         [](DialogHarness&, ModalScript& m) {
             return m.DialogCaptions() == std::vector<std::string>{"About Quillmoor"};
         }},
        {"Help", ID_HELP_HELP, [](DialogHarness&, ModalScript& m) { m.AnswerShellExecute(true); },
         [](DialogHarness&, ModalScript& m) {
             return m.ShellRequests().size() == 1;
         }},
};

// Menus send code 0, accelerators code 1; both are the same command.
class CommandRouteTest : public DialogHarness,
                         public ::testing::WithParamInterface<std::tuple<Route, WORD>> {};

TEST_P(CommandRouteTest, EachCommandRunsItsOwnHandler) {
    const auto& [route, code] = GetParam();
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha")});
    m_rom = WriteRom("game.rom", 32, 5);
    OpenRom(m_rom);
    ASSERT_EQ(Title(), "Quillmoor - game.rom");
    if (route.prepare) route.prepare(*this, m_modals);
    m_dlg.commands.clear();

    m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(route.id), code), 0);
    // Notifications the handler sets off are recorded before its own command.
    ASSERT_FALSE(m_dlg.commands.empty());
    EXPECT_EQ(m_dlg.commands.back().id, route.id);
    EXPECT_TRUE(m_dlg.commands.back().handled);
    EXPECT_TRUE(route.ran(*this, m_modals));
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
    EXPECT_EQ(m_modals.UnusedAnswers(), 0);
    EXPECT_FALSE(m_dlg.IsEnded());
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandRouteTest,
                         ::testing::Combine(::testing::ValuesIn(kRoutes),
                                            ::testing::Values(WORD{0}, WORD{1})),
                         [](const ::testing::TestParamInfo<std::tuple<Route, WORD>>& test) {
                             return std::string(std::get<0>(test.param).name) +
                                    (std::get<1>(test.param) == 0 ? "FromMenu" : "FromKey");
                         });

TEST_F(EditorDlgTest, PanelChildrenNotificationsReachTheTable) {
    Start();
    CComboBox& entries = *EntryCombo();
    entries.EnableWindow(TRUE);
    entries.AddString("Slime");
    entries.AddString("Wyvern");
    TestInput::ChooseComboItem(entries, 1);
    ASSERT_FALSE(m_dlg.commands.empty());
    EXPECT_EQ(m_dlg.commands.back().id, static_cast<UINT>(IDC_ENTRY_COMBO));
    EXPECT_EQ(m_dlg.commands.back().code, CBN_SELCHANGE);
    EXPECT_TRUE(m_dlg.commands.back().handled);

    // An element control's notifications arrive too and match nothing.
    CEdit element;
    ASSERT_TRUE(element.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 40, 200, 52), Panel(),
                               IDC_ELEMENT_BASE));
    m_dlg.commands.clear();
    TestInput::TypeText(element, "7");
    ASSERT_FALSE(m_dlg.commands.empty());
    EXPECT_EQ(m_dlg.commands.back().id, static_cast<UINT>(IDC_ELEMENT_BASE));
    EXPECT_FALSE(m_dlg.commands.back().handled);

    // Only a selection change of a selector is a command; another
    // notification of the entry selector, or a selection change of an
    // element's drop-down list, is not.
    const auto source = reinterpret_cast<LPARAM>(entries.GetSafeHwnd());
    m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ENTRY_COMBO, CBN_DROPDOWN), source);
    EXPECT_FALSE(m_dlg.commands.back().handled);
    m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ELEMENT_BASE, CBN_SELCHANGE), source);
    EXPECT_FALSE(m_dlg.commands.back().handled);
}

TEST_F(EditorDlgTest, KeysRunTheirCommandsOnlyWhileEnabled) {
    Start();
    m_modals.CancelFileDialog();
    m_modals.AnswerShellExecute(true);
    TestInput::KeyClick(m_dlg, 'O', FCONTROL);
    TestInput::KeyClick(m_dlg, VK_F1);
    TestInput::KeyClick(m_dlg, 'S', FCONTROL);
    TestInput::KeyClick(m_dlg, VK_RETURN);
    EXPECT_EQ(m_dlg.CommandIds(), (std::vector<UINT>{ID_FILE_OPENROM, ID_HELP_HELP}));
    for (const auto& c : m_dlg.commands)
        EXPECT_TRUE(c.handled);
    EXPECT_FALSE(m_dlg.IsEnded());

    m_dlg.commands.clear();
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
    Start();
    CEdit element;
    ASSERT_TRUE(element.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 40, 200, 52), Panel(),
                               IDC_ELEMENT_BASE));
    element.SetFocus();
    // Its EN_SETFOCUS, in the active window, is not what this test is about.
    m_dlg.commands.clear();
    TestInput::KeyClick(element, VK_RETURN);
    EXPECT_TRUE(m_dlg.commands.empty());
    EXPECT_FALSE(m_dlg.IsEnded());

    m_dlg.SetItem(ID_FILE_APPLY, true);
    TestInput::KeyClick(element, VK_RETURN);
    EXPECT_EQ(m_dlg.CommandIds(), (std::vector<UINT>{ID_FILE_APPLY}));
    EXPECT_FALSE(m_dlg.IsEnded());
}

TEST_F(EditorDlgTest, KeysInAnotherWindowStayThere) {
    Start();
    DialogTemplate otherTemplate = EditorResources::EditorDialog();
    otherTemplate.menu = nullptr;
    otherTemplate.caption = "another window";
    CDialog other(&otherTemplate);
    ASSERT_TRUE(other.Create());
    TestInput::KeyClick(other, 'O', FCONTROL);
    TestInput::KeyClick(other, VK_F1);
    EXPECT_TRUE(m_dlg.commands.empty());
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
    Start();
    Leave();
    EXPECT_EQ(m_dlg.cancels, 1);
    EXPECT_TRUE(m_dlg.IsEnded());
    EXPECT_EQ(m_dlg.GetEndResult(), IDCANCEL);
}

TEST_P(EditorDlgCancelTest, KeepsAModifiedImageOpen) {
    Start();
    State().document.Adopt({1, 2, 3}, "game.rom", true);
    m_modals.AnswerMessageBox(IDCANCEL);
    Leave();
    EXPECT_EQ(m_dlg.cancels, 1);
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
    Start();
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
