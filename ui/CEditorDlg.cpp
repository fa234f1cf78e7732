#include "ui/CEditorDlg.h"

#include <algorithm>

#include "platform/windows/BitmapImage.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CFont.h"
#include "platform/windows/CMenu.h"
#include "platform/windows/CStatic.h"
#include "platform/windows/Shell.h"
#include "res/resource.h"
#include "res/ui/AboutResources.h"
#include "res/ui/EditorResources.h"
#include "table/CTableModule.h"
#include "ui/AssociateCommand.h"
#include "ui/CScrollPanel.h"
#include "ui/EditorControls.h"
#include "ui/ElementForm.h"
#include "ui/HelpPage.h"
#include "ui/LinkFileCommands.h"
#include "ui/ModuleListCommands.h"
#include "ui/RomDocumentCommands.h"
#include "ui/ShellAssociation.h"

namespace {

// Where the dialog puts what it creates at run time, in pixels of its
// client area (the module selector comes from the template in dialog units).
constexpr RECT kPanelRect{12, 40, 481, 470};
// Two pixels high until a form gives it its real height.
constexpr RECT kEntryComboRect{10, 10, 443, 12};
constexpr DWORD kEntryComboStyle =
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_HASSTRINGS | CBS_DROPDOWNLIST;

} // namespace

CEditorDlg::CEditorDlg(CWnd* parent)
    : CDialog(&EditorResources::EditorDialog(), parent), m_hIcon(LoadIcon(EditorResources::EditorIcon())),
      m_pFont(std::make_unique<CFont>()) {
    m_pFont->CreatePointFont(100, "Times New Roman");
}

CEditorDlg::~CEditorDlg() {
    // The form's rows describe the current module, so they go before it.
    // By now the windows are gone with the dialog's; only objects remain.
    DestroyForm();
    m_modules.clear();
    m_pRom.reset();
    m_pFont.reset();
    m_pPanel.reset();
    m_pEntryCombo.reset();
}

const std::vector<CEditorDlg::CommandEntry>& CEditorDlg::CommandTable() {
    static const std::vector<CommandEntry> table = {
            {ID_FILE_OPENROM, 0, &CEditorDlg::OnOpenRom},
            {ID_FILE_CLOSEROM, 0, &CEditorDlg::OnCloseRom},
            {ID_FILE_SAVEROM, 0, &CEditorDlg::OnSaveRom},
            {ID_FILE_APPLY, 0, &CEditorDlg::OnApplyChanges},
            {ID_MODULES_LOAD, 0, &CEditorDlg::OnLoadModules},
            {ID_MODULES_UNLOAD, 0, &CEditorDlg::OnUnloadModule},
            {ID_MODULES_LINK, 0, &CEditorDlg::OnLinkRom},
            {ID_MODULES_ASSOCIATE, 0, &CEditorDlg::OnAssociate},
            {ID_HELP_ABOUT, 0, &CEditorDlg::OnAbout},
            {ID_HELP_HELP, 0, &CEditorDlg::OnHelp},
            {IDC_MODULE_COMBO, CBN_SELCHANGE, &CEditorDlg::OnModuleSelChange},
            {IDC_ENTRY_COMBO, CBN_SELCHANGE, &CEditorDlg::OnEntrySelChange},
    };
    return table;
}

const CEditorDlg::CommandEntry* CEditorDlg::FindCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    // Menus say 0 and accelerators 1; both are the same command.
    const WORD code = lParam == 0 ? 0 : HIWORD(wParam);
    const auto& table = CommandTable();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const CommandEntry& e) { return e.id == id && e.code == code; });
    return it == table.end() ? nullptr : &*it;
}

BOOL CEditorDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (const CommandEntry* entry = FindCommand(wParam, lParam)) {
        (this->*entry->handler)();
        return TRUE;
    }
    // IDCANCEL (Exit, Escape, the close box) and IDOK go the base's way.
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CEditorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    CreatePanel();
    CreateEntryCombo();
    CheckAssociation();
    LoadStartupModule();
    return TRUE;
}

void CEditorDlg::CreatePanel() {
    m_pPanel = std::make_unique<CScrollPanel>();
    m_pPanel->Create(kPanelRect, this, IDC_PANEL);
    // Nothing to scroll until a form is built.
    m_pPanel->EnableScrollBar(SB_VERT, ESB_DISABLE_BOTH);
}

void CEditorDlg::CreateEntryCombo() {
    m_pEntryCombo = std::make_unique<CComboBox>();
    m_pEntryCombo->Create(kEntryComboStyle, kEntryComboRect, m_pPanel.get(), IDC_ENTRY_COMBO);
    m_pEntryCombo->EnableWindow(FALSE);
    m_pEntryCombo->SetFont(m_pFont.get(), TRUE);
}

void CEditorDlg::CheckAssociation() {
    if (!ShellAssociation::IsRegistered()) return;
    if (CMenu* menu = GetMenu()) menu->CheckMenuItem(ID_MODULES_ASSOCIATE, MF_BYCOMMAND | MF_CHECKED);
}

void CEditorDlg::LoadStartupModule() {
    ModuleListCommands(*this).LoadStartupModule();
}

ElementForm CEditorDlg::Form() {
    return ElementForm(*this, *m_pPanel, *m_pEntryCombo, m_pFont.get(), m_valueCtrls, m_labelCtrls);
}

CTableModule* CEditorDlg::FormModule() const {
    if (m_nCurModule < 0 || static_cast<std::size_t>(m_nCurModule) >= m_modules.size()) return nullptr;
    return m_modules[static_cast<std::size_t>(m_nCurModule)].get();
}

void CEditorDlg::BuildForm(int module) {
    if (m_pPanel == nullptr || m_pEntryCombo == nullptr || module < 0 ||
        static_cast<std::size_t>(module) >= m_modules.size())
        return;
    Form().Build(*m_modules[static_cast<std::size_t>(module)], m_bRomOpen);
}

void CEditorDlg::DestroyForm() {
    // A dialog that never opened has no panel; its rows are only objects.
    if (m_pPanel == nullptr || m_pEntryCombo == nullptr) {
        m_valueCtrls.clear();
        m_labelCtrls.clear();
        return;
    }
    Form().Destroy(m_nCurModule != -1);
}

void CEditorDlg::ShowEntry() {
    CTableModule* module = FormModule();
    if (module != nullptr && m_pPanel != nullptr && m_pEntryCombo != nullptr) Form().Show(*module);
}

void CEditorDlg::OnCancel() {
    // The image is not closed first: the destructor releases it.
    if (RomDocumentCommands(*this).MayExit()) CDialog::OnCancel();
}

// The handlers stay thin: the work lives in the command classes, one per
// feature, which the table above reaches through these.
void CEditorDlg::OnOpenRom() {
    RomDocumentCommands(*this).OpenRom();
}
void CEditorDlg::OnCloseRom() {
    RomDocumentCommands(*this).CloseRom();
}
void CEditorDlg::OnSaveRom() {
    RomDocumentCommands(*this).SaveRom();
}
bool CEditorDlg::PromptApply() {
    return RomDocumentCommands(*this).PromptApply();
}
void CEditorDlg::OnApplyChanges() {
    EditorControls controls(*this);
    if (!m_bCompatible) {
        controls.ShowIncompatible();
        return;
    }
    CTableModule* module = FormModule();
    // The command is grayed without a ROM and a module; a key may still race it.
    if (module == nullptr || !m_bRomOpen || m_pRom == nullptr || !Form().ReadBack(*module)) return;
    if (!module->StoreEntry(m_pRom.get(), m_nRomLength)) return;
    m_bModified = true;
    controls.ShowDocumentTitle();
    ShowEntry();
}
void CEditorDlg::OnLoadModules() {
    ModuleListCommands(*this).LoadModules();
}
void CEditorDlg::OnUnloadModule() {
    ModuleListCommands(*this).UnloadModule();
}
void CEditorDlg::AddModuleFromFile(const std::string& path) {
    ModuleListCommands(*this).AddModuleFromFile(path);
}
void CEditorDlg::SelectFirstModule() {
    ModuleListCommands(*this).SelectFirstModule();
}
void CEditorDlg::OnLinkRom() {
    LinkFileCommands(*this).LinkRom();
}
void CEditorDlg::OnAssociate() {
    AssociateCommand(*this, GetModuleFileName()).Run();
}
void CEditorDlg::OnAbout() {
    // A plain dialog: OK, Escape and the close box end it the base's way.
    CDialog about(&AboutResources::AboutDialog(), this);
    about.DoModal();
}
void CEditorDlg::OnHelp() {
    HelpPage::Open(*this);
}
void CEditorDlg::OnModuleSelChange() {
    ModuleListCommands(*this).ModuleSelChange();
}
void CEditorDlg::OnEntrySelChange() {
    CTableModule* module = FormModule();
    if (!m_bCompatible || module == nullptr || !m_bRomOpen) return;
    const int sel = m_pEntryCombo->GetCurSel();
    // The same entry again keeps what the user typed; another drops it.
    if (sel < 0 || sel == module->m_nCurEntry) return;
    if (module->SelectEntry(sel, m_pRom.get(), m_nRomLength))
        ShowEntry();
    else
        m_pEntryCombo->SetCurSel(module->m_nCurEntry);
}
