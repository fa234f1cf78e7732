#include "DialogHarness.h"

#include <sstream>

#include "ModalLoop.h"
#include "TestInput.h"
#include "platform/windows/AcceleratorTable.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CMenu.h"
#include "res/resource.h"
#include "res/ui/EditorResources.h"
#include "table/CTableModule.h"
#include "ui/CScrollPanel.h"

std::vector<UINT> ObservedEditorDlg::CommandIds() const {
    std::vector<UINT> ids;
    for (const Command& c : commands)
        ids.push_back(c.id);
    return ids;
}

void ObservedEditorDlg::SetItem(UINT id, bool enabled) {
    GetMenu()->EnableMenuItem(id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

BOOL ObservedEditorDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const BOOL handled = CEditorDlg::OnCommand(wParam, lParam);
    commands.push_back({LOWORD(wParam), HIWORD(wParam), handled});
    return handled;
}

void ObservedEditorDlg::OnCancel() {
    ++cancels;
    CEditorDlg::OnCancel();
}

CRect RectInParent(const CWnd& child) {
    CRect r;
    child.GetWindowRect(r);
    child.GetParent()->ScreenToClient(r);
    return r;
}

std::string DialogHarness::WriteModule(const std::string& name, const std::string& title, std::uint32_t base,
                                       int count) {
    // Every byte value is listed, so any ROM byte shows a selection.
    std::string kinds = "256\n";
    for (int v = 0; v < 256; ++v)
        kinds += std::to_string(v) + " Kind " + std::to_string(v) + "\n";
    m_files.Write("kinds.txt", kinds);
    std::ostringstream text;
    text << "1\r\n"
         << title << "\r\n"
         << base << "\r\n"
         << count << "\r\n4\r\nNULL\r\nnone.tbl\r\n"
         << "Value\r\n0\r\n1\r\n----\r\n-\r\n"
         << "Kind\r\n1\r\n1\r\n-D--\r\nkinds.txt\r\n";
    return m_files.Write(name, text.str());
}

std::string DialogHarness::WriteBrokenModule(const std::string& name) {
    return m_files.Write(name, "2\r\nBroken\r\n0\r\n2\r\n4\r\nNULL\r\nnone.tbl\r\n");
}

std::string DialogHarness::WriteRom(const std::string& name, std::size_t length, std::uint8_t seed) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>(static_cast<std::uint8_t>(seed + i));
    return m_files.Write(name, bytes);
}

void DialogHarness::Start(const std::string& startupModule) {
    m_startup = startupModule;
    m_dlg.m_lpszStartupModule = m_startup.c_str();
    ASSERT_TRUE(m_dlg.Create());
    m_dlg.ShowModalWindow();
    // A window manager makes the new window active, with its first control
    // focused, before the user does anything.
    TestInput::Activate(m_dlg);
    m_app.m_hAccel = LoadAccelerators(EditorResources::EditorAccelerators());
    m_app.m_pMainWnd = &m_dlg;
}

INT_PTR DialogHarness::RunModal(std::function<void()> body) {
    return ModalLoop::Run(m_dlg, std::move(body));
}

void DialogHarness::OpenRom(const std::string& path) {
    m_modals.AnswerFileDialog({path});
    TestInput::KeyClick(m_dlg, 'O', FCONTROL);
}

void DialogHarness::LoadModules(const std::vector<std::string>& paths) {
    m_modals.AnswerFileDialog(paths);
    Click(ID_MODULES_LOAD);
}

void DialogHarness::Click(UINT id) {
    TestInput::ClickMenuItem(m_dlg, id);
}

void DialogHarness::ApplyValue(int value) {
    CWnd* edit = Panel()->GetDlgItem(IDC_ELEMENT_BASE);
    ASSERT_NE(edit, nullptr);
    edit->SetFocus();
    TestInput::KeyClick(*edit, 'A', FCONTROL);
    TestInput::TypeText(*edit, std::to_string(value));
    TestInput::KeyClick(*edit, VK_RETURN);
}

void DialogHarness::OpenAndModify() {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha")});
    m_rom = WriteRom("game.rom", 32, 5);
    OpenRom(m_rom);
    ApplyValue(99);
    ASSERT_EQ(Title(), "Quillmoor - game.rom *");
}

void DialogHarness::ChooseModule(int index) {
    TestInput::ChooseComboItem(ModuleSelector(), index);
}

bool DialogHarness::Enabled(UINT id) {
    return (m_dlg.GetMenu()->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) == 0;
}

bool DialogHarness::Checked(UINT id) {
    return (m_dlg.GetMenu()->GetMenuState(id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

CComboBox& DialogHarness::ModuleSelector() {
    return dynamic_cast<CComboBox&>(*m_dlg.GetDlgItem(IDC_MODULE_COMBO));
}

std::vector<std::string> DialogHarness::ModuleTitles() {
    std::vector<std::string> titles;
    for (int i = 0; i < ModuleSelector().GetCount(); ++i)
        titles.push_back(ModuleSelector().GetLBText(i));
    return titles;
}

std::string DialogHarness::ShownValue() {
    CWnd* edit = Panel()->GetDlgItem(IDC_ELEMENT_BASE);
    return edit == nullptr ? "<no form>" : edit->GetWindowText();
}

std::vector<std::string> DialogHarness::Messages() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : m_modals.MessageBoxes())
        texts.push_back(box.text);
    return texts;
}

int DialogHarness::CountMessages(const std::string& text) const {
    int n = 0;
    for (const MessageBoxRequest& box : m_modals.MessageBoxes())
        n += box.text == text ? 1 : 0;
    return n;
}
