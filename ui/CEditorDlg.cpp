#include "ui/CEditorDlg.h"

#include <algorithm>

#include "platform/BitmapImage.h"
#include "platform/CComboBox.h"
#include "platform/CFont.h"
#include "platform/CMenu.h"
#include "platform/CStatic.h"
#include "platform/Registry.h"
#include "platform/ScopedRegKey.h"
#include "res/EditorResources.h"
#include "res/resource.h"
#include "table/CTableModule.h"
#include "ui/CScrollPanel.h"

namespace {

// Where the dialog puts what it creates at run time, in pixels of its
// client area (the module selector comes from the template in dialog units).
constexpr RECT kPanelRect{12, 40, 481, 470};
// Two pixels high until a form gives it its real height.
constexpr RECT kEntryComboRect{10, 10, 443, 12};
constexpr DWORD kEntryComboStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_HASSTRINGS | CBS_DROPDOWNLIST;

} // namespace

CEditorDlg::CEditorDlg(CWnd* pParentWnd)
    : CDialog(&EditorResources::EditorDialog(), pParentWnd),
      m_hIcon(LoadIcon(EditorResources::EditorIcon())),
      m_pFont(std::make_unique<CFont>())
{
    m_pFont->CreatePointFont(100, "Times New Roman");
}

CEditorDlg::~CEditorDlg()
{
    // The form's rows describe the current module, so they go before it.
    // By now the windows are gone with the dialog's; only objects remain.
    DestroyForm();
    m_modules.clear();
    m_pRom.reset();
    m_pFont.reset();
    m_pPanel.reset();
    m_pEntryCombo.reset();
}

const std::vector<CEditorDlg::CommandEntry>& CEditorDlg::CommandTable()
{
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

const CEditorDlg::CommandEntry* CEditorDlg::FindCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    // Menus say 0 and accelerators 1; both are the same command.
    const WORD nCode = lParam == 0 ? 0 : HIWORD(wParam);
    const auto& table = CommandTable();
    const auto it = std::find_if(table.begin(), table.end(), [&](const CommandEntry& e) {
        return e.nID == nID && e.nCode == nCode;
    });
    return it == table.end() ? nullptr : &*it;
}

BOOL CEditorDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (const CommandEntry* entry = FindCommand(wParam, lParam))
    {
        (this->*entry->pfnHandler)();
        return TRUE;
    }
    // IDCANCEL (Exit, Escape, the close box) and IDOK go the base's way.
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CEditorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    CreatePanel();
    CreateEntryCombo();
    CheckAssociation();
    LoadStartupModule();
    return TRUE;
}

void CEditorDlg::CreatePanel()
{
    m_pPanel = std::make_unique<CScrollPanel>();
    m_pPanel->Create(kPanelRect, this, IDC_PANEL);
    // Nothing to scroll until a form is built.
    m_pPanel->EnableScrollBar(SB_VERT, ESB_DISABLE_BOTH);
}

void CEditorDlg::CreateEntryCombo()
{
    m_pEntryCombo = std::make_unique<CComboBox>();
    m_pEntryCombo->Create(kEntryComboStyle, kEntryComboRect, m_pPanel.get(), IDC_ENTRY_COMBO);
    m_pEntryCombo->EnableWindow(FALSE);
    m_pEntryCombo->SetFont(m_pFont.get(), TRUE);
}

void CEditorDlg::CheckAssociation()
{
    // Only a key this user could also change counts as associated.
    ScopedRegKey key;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, ".qlm", KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS)
        return;
    if (CMenu* pMenu = GetMenu())
        pMenu->CheckMenuItem(ID_MODULES_ASSOCIATE, MF_BYCOMMAND | MF_CHECKED);
}

void CEditorDlg::LoadStartupModule()
{
    // Loading the module named on the command line arrives with the module list.
}

void CEditorDlg::DestroyForm()
{
    m_valueCtrls.clear();
    m_labelCtrls.clear();
}

void CEditorDlg::OnCancel()
{
    // Until the apply question exists, a modified image keeps the window
    // open rather than being dropped without asking.
    if (m_bModified)
        return;
    CDialog::OnCancel();
}

// Each of these commands arrives with its feature; the table above already
// routes them here.
void CEditorDlg::OnOpenRom() {}   // arrives with the ROM document
void CEditorDlg::OnCloseRom() {}  // arrives with the ROM document
void CEditorDlg::OnSaveRom() {}   // arrives with the ROM document
void CEditorDlg::OnApplyChanges() {}  // arrives with the element form
void CEditorDlg::OnLoadModules() {}   // arrives with the module list
void CEditorDlg::OnUnloadModule() {}  // arrives with the module list
void CEditorDlg::OnLinkRom() {}       // arrives with the link file
void CEditorDlg::OnAssociate() {}     // arrives with shell integration
void CEditorDlg::OnAbout() {}         // arrives with the about box
void CEditorDlg::OnHelp() {}          // arrives with the help page
void CEditorDlg::OnModuleSelChange() {}  // arrives with the module list
void CEditorDlg::OnEntrySelChange() {}   // arrives with the element form
