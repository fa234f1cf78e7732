#include "ui/CEditorDlg.h"

#include <algorithm>
#include <new>

#include "platform/windows/BitmapImage.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CMenu.h"
#include "platform/windows/Shell.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "res/ui/AboutResources.h"
#include "res/ui/EditorResources.h"
#include "table/CTableModule.h"
#include "ui/AssociateCommand.h"
#include "ui/BytesWindow.h"
#include "ui/CScrollPanel.h"
#include "ui/EditorControls.h"
#include "ui/EditorState.h"
#include "ui/EditorView.h"
#include "ui/HelpPage.h"
#include "ui/LinkFileCommands.h"
#include "ui/ModuleListCommands.h"
#include "ui/RomDocumentCommands.h"
#include "ui/ShellAssociation.h"
#include "ui/TableFileCommands.h"
#include "ui/TableWindow.h"

CEditorDlg::CEditorDlg(CWnd* parent)
    : CDialog(&EditorResources::EditorDialog(), parent), m_hIcon(LoadIcon(EditorResources::EditorIcon())),
      m_state(std::make_unique<EditorState>()), m_view(std::make_unique<EditorView>(*this)),
      m_bytes(std::make_unique<BytesWindow>(*m_state, *m_view)),
      m_table(std::make_unique<TableWindow>(*m_state, *m_view)) {
    // Every change of the image, whichever command made it, shows in the
    // title's " *" and in what Undo and Redo offer.
    m_state->document.AddListener([this](uint32_t, uint32_t) {
        EditorControls controls(*m_view);
        controls.ShowDocumentTitle(m_state->document);
        controls.ShowUndoState(m_state->document);
    });
}

CEditorDlg::~CEditorDlg() {
    // The form's rows describe the current module, so they go before it.
    // By now the windows are gone with the dialog's; only objects remain.
    DestroyForm();
    m_bytes.reset();
    m_table.reset();
    m_view.reset();
    m_state.reset();
}

const std::vector<CEditorDlg::CommandEntry>& CEditorDlg::CommandTable() {
    static const std::vector<CommandEntry> table = {
            {ID_FILE_OPENROM, 0, &CEditorDlg::OnOpenRom},
            {ID_FILE_CLOSEROM, 0, &CEditorDlg::OnCloseRom},
            {ID_FILE_SAVEROM, 0, &CEditorDlg::OnSaveRom},
            {ID_FILE_APPLY, 0, &CEditorDlg::OnApplyChanges},
            {ID_FILE_EXPORTTABLE, 0, &CEditorDlg::OnExportTable},
            {ID_FILE_IMPORTTABLE, 0, &CEditorDlg::OnImportTable},
            {ID_EDIT_UNDO, 0, &CEditorDlg::OnUndo},
            {ID_EDIT_REDO, 0, &CEditorDlg::OnRedo},
            {ID_MODULES_LOAD, 0, &CEditorDlg::OnLoadModules},
            {ID_MODULES_UNLOAD, 0, &CEditorDlg::OnUnloadModule},
            {ID_MODULES_RELOAD, 0, &CEditorDlg::OnReloadModules},
            {ID_VIEW_BYTES, 0, &CEditorDlg::OnViewBytes},
            {ID_MODULES_LINK, 0, &CEditorDlg::OnLinkRom},
            {ID_MODULES_ASSOCIATE, 0, &CEditorDlg::OnAssociate},
            {ID_HELP_ABOUT, 0, &CEditorDlg::OnAbout},
            {ID_HELP_HELP, 0, &CEditorDlg::OnHelp},
            {ID_VIEW_TABLE, 0, &CEditorDlg::OnViewTable},
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
        // A command that asks for more memory than there is (a huge module's
        // form, say) is refused; the open ROM and its unsaved edits stay.
        try {
            (this->*entry->handler)();
        } catch (const std::bad_alloc&) {
            EditorControls(*m_view).Message(CommandOutOfMemoryText(), MB_OK | MB_ICONSTOP);
        }
        return TRUE;
    }
    // IDCANCEL (Exit, Escape, the close box) and IDOK go the base's way.
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CEditorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_view->Create();
    CheckAssociation();
    LoadStartupModule();
    return TRUE;
}

void CEditorDlg::CheckAssociation() {
    if (!ShellAssociation::IsRegistered()) return;
    if (CMenu* menu = GetMenu()) menu->CheckMenuItem(ID_MODULES_ASSOCIATE, MF_BYCOMMAND | MF_CHECKED);
}

void CEditorDlg::LoadStartupModule() {
    ModuleListCommands(*m_state, *m_view).LoadStartupModule(m_lpszStartupModule);
}

const RomDocument& CEditorDlg::Document() const {
    return m_state->document;
}
const std::vector<std::unique_ptr<CTableModule>>& CEditorDlg::Modules() const {
    return m_state->modules;
}
int CEditorDlg::CurrentModuleIndex() const {
    return m_state->currentModule;
}
CScrollPanel* CEditorDlg::Panel() const {
    return m_view->Panel();
}
CComboBox* CEditorDlg::EntryCombo() const {
    return m_view->EntryCombo();
}

void CEditorDlg::BuildForm(int module) {
    if (module < 0 || static_cast<std::size_t>(module) >= m_state->modules.size()) return;
    m_view->BuildForm(*m_state->modules[static_cast<std::size_t>(module)], m_state->document.IsOpen());
}

void CEditorDlg::DestroyForm() {
    m_view->DestroyForm(m_state->currentModule != -1);
}

void CEditorDlg::ShowEntry() {
    if (const CTableModule* module = m_state->CurrentModule()) m_view->ShowEntry(*module);
}

void CEditorDlg::OnCancel() {
    // The image is not closed first: the destructor releases it.
    if (RomDocumentCommands(*m_state, *m_view).MayExit()) CDialog::OnCancel();
}

// The handlers stay thin: the work lives in the command classes, one per
// feature, which the table above reaches through these.
void CEditorDlg::OnOpenRom() {
    RomDocumentCommands(*m_state, *m_view).OpenRom();
}
void CEditorDlg::OnCloseRom() {
    RomDocumentCommands(*m_state, *m_view).CloseRom();
}
void CEditorDlg::OnSaveRom() {
    RomDocumentCommands(*m_state, *m_view).SaveRom();
}
bool CEditorDlg::PromptApply() {
    return RomDocumentCommands(*m_state, *m_view).PromptApply();
}
void CEditorDlg::OnApplyChanges() {
    RomDocumentCommands(*m_state, *m_view).ApplyChanges();
}
void CEditorDlg::OnExportTable() {
    TableFileCommands(*m_state, *m_view).ExportTable();
}

void CEditorDlg::OnImportTable() {
    TableFileCommands(*m_state, *m_view).ImportTable();
}

void CEditorDlg::OnUndo() {
    RomDocumentCommands(*m_state, *m_view).Undo();
}
void CEditorDlg::OnRedo() {
    RomDocumentCommands(*m_state, *m_view).Redo();
}
void CEditorDlg::OnLoadModules() {
    ModuleListCommands(*m_state, *m_view).LoadModules();
}
void CEditorDlg::OnUnloadModule() {
    if (m_state->currentModule < 0 || !PromptApply()) return;
    ModuleListCommands(*m_state, *m_view).UnloadModule();
}
void CEditorDlg::OnReloadModules() {
    if (m_state->currentModule < 0 || !RomDocumentCommands(*m_state, *m_view).PromptApplyEdits()) return;
    ModuleListCommands(*m_state, *m_view).ReloadModules();
}
void CEditorDlg::OnViewBytes() {
    m_bytes->Show(*this);
}
void CEditorDlg::AddModuleFromFile(const std::string& path) {
    ModuleListCommands(*m_state, *m_view).AddModuleFromFile(path);
}
void CEditorDlg::SelectFirstModule() {
    ModuleListCommands(*m_state, *m_view).SelectFirstModule();
}
void CEditorDlg::OnLinkRom() {
    LinkFileCommands(*m_state, *m_view).LinkRom();
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
void CEditorDlg::OnViewTable() {
    m_table->Open();
}
void CEditorDlg::OnModuleSelChange() {
    ModuleListCommands(*m_state, *m_view).ModuleSelChange();
}
void CEditorDlg::OnEntrySelChange() {
    CTableModule* module = m_state->CurrentModule();
    const RomDocument& document = m_state->document;
    CComboBox* combo = m_view->EntryCombo();
    if (!document.IsCompatible() || module == nullptr || !document.IsOpen() || combo == nullptr) return;
    const int sel = combo->GetCurSel();
    // The same entry again keeps what the user typed; another drops it.
    if (sel < 0 || sel == module->m_nCurEntry) return;
    if (module->SelectEntry(sel, document.Data(), document.Length()))
        m_view->ShowEntry(*module);
    else
        combo->SetCurSel(module->m_nCurEntry);
}
