#include "DialogFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/store/RegistryStore.h"
#include "platform/windows/AcceleratorTable.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CMenu.h"
#include "res/resource.h"
#include "res/ui/EditorResources.h"
#include "tests/platform/TestInput.h"
#include "ui/CScrollPanel.h"

namespace fs = std::filesystem;

DialogFixture::DialogFixture() {
    std::string pattern = (fs::temp_directory_path() / "quill-dialog-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    if (made == nullptr) throw std::runtime_error("no scratch folder");
    m_strDir = fs::canonical(made).string() + "/";
    fs::create_directories(m_strDir + "registry");
    // The association check at start must never read the user's own store.
    RegistryStore::SetFolder(m_strDir + "registry");
}

DialogFixture::~DialogFixture() {
    RegistryStore::SetFolder({});
    std::error_code ec;
    fs::remove_all(m_strDir, ec);
}

std::string DialogFixture::WriteModule(const std::string& name, const std::string& title, std::uint32_t base,
                                       int count) {
    // Every byte value is listed, so any ROM byte shows a selection.
    std::string kinds = "256\n";
    for (int v = 0; v < 256; ++v)
        kinds += std::to_string(v) + " Kind " + std::to_string(v) + "\n";
    WriteFile(PathOf("kinds.txt"), kinds);
    std::ostringstream text;
    text << "1\r\n"
         << title << "\r\n"
         << base << "\r\n"
         << count << "\r\n4\r\nNULL\r\nnone.tbl\r\n"
         << "Value\r\n0\r\n1\r\n----\r\n-\r\n"
         << "Kind\r\n1\r\n1\r\n-D--\r\nkinds.txt\r\n";
    const std::string path = PathOf(name);
    WriteFile(path, text.str());
    return path;
}

std::string DialogFixture::WriteBrokenModule(const std::string& name) {
    const std::string path = PathOf(name);
    WriteFile(path, "2\r\nBroken\r\n0\r\n2\r\n4\r\nNULL\r\nnone.tbl\r\n");
    return path;
}

std::string DialogFixture::WriteRom(const std::string& name, std::size_t length, std::uint8_t seed) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>(static_cast<std::uint8_t>(seed + i));
    const std::string path = PathOf(name);
    WriteFile(path, bytes);
    return path;
}

void DialogFixture::WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string DialogFixture::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void DialogFixture::Start(const std::string& startupModule) {
    m_strStartup = startupModule;
    m_dlg.m_lpszStartupModule = m_strStartup.c_str();
    ASSERT_TRUE(m_dlg.Create());
    m_app.m_hAccel = LoadAccelerators(EditorResources::EditorAccelerators());
    m_app.m_pMainWnd = &m_dlg;
}

void DialogFixture::OpenRom(const std::string& path) {
    m_modals.AnswerFileDialog({path});
    TestInput::KeyClick(m_dlg, 'O', FCONTROL);
}

void DialogFixture::LoadModules(const std::vector<std::string>& paths) {
    m_modals.AnswerFileDialog(paths);
    Click(ID_MODULES_LOAD);
}

void DialogFixture::Click(UINT nID) {
    TestInput::ClickMenuItem(m_dlg, nID);
}

void DialogFixture::ApplyValue(int value) {
    CWnd* pEdit = m_dlg.m_pPanel->GetDlgItem(IDC_ELEMENT_BASE);
    ASSERT_NE(pEdit, nullptr);
    pEdit->SetFocus();
    TestInput::KeyClick(*pEdit, 'A', FCONTROL);
    TestInput::TypeText(*pEdit, std::to_string(value));
    TestInput::KeyClick(*pEdit, VK_RETURN);
}

void DialogFixture::OpenAndModify() {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha")});
    m_strRom = WriteRom("game.rom", 32, 5);
    OpenRom(m_strRom);
    ApplyValue(99);
    ASSERT_EQ(Title(), "Quillmoor - game.rom *");
}

void DialogFixture::ChooseModule(int index) {
    TestInput::ChooseComboItem(ModuleSelector(), index);
}

bool DialogFixture::Enabled(UINT nID) {
    return (m_dlg.GetMenu()->GetMenuState(nID, MF_BYCOMMAND) & MF_GRAYED) == 0;
}

CComboBox& DialogFixture::ModuleSelector() {
    return dynamic_cast<CComboBox&>(*m_dlg.GetDlgItem(IDC_MODULE_COMBO));
}

std::vector<std::string> DialogFixture::ModuleTitles() {
    std::vector<std::string> titles;
    for (int i = 0; i < ModuleSelector().GetCount(); ++i)
        titles.push_back(ModuleSelector().GetLBText(i));
    return titles;
}

std::string DialogFixture::ShownValue() {
    CWnd* pEdit = m_dlg.m_pPanel->GetDlgItem(IDC_ELEMENT_BASE);
    return pEdit == nullptr ? "<no form>" : pEdit->GetWindowText();
}

std::vector<std::string> DialogFixture::Messages() const {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : m_modals.MessageBoxes())
        texts.push_back(box.text);
    return texts;
}

int DialogFixture::CountMessages(const std::string& text) const {
    int n = 0;
    for (const MessageBoxRequest& box : m_modals.MessageBoxes())
        n += box.text == text ? 1 : 0;
    return n;
}
