#include "ui/CEditorDlg.h"

#include <algorithm>
#include <new>

#include "platform/windows/BitmapImage.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CMenu.h"
#include "platform/windows/DroppedFiles.h"
#include "platform/windows/Shell.h"
#include "platform/windows/SideWindows.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "res/ui/AboutResources.h"
#include "res/ui/EditorResources.h"
#include "table/CTableModule.h"
#include "ui/AssociateCommand.h"
#include "ui/CScrollPanel.h"
#include "ui/CompareCommands.h"
#include "ui/DropCommand.h"
#include "ui/EditorControls.h"
#include "ui/EditorView.h"
#include "ui/HelpPage.h"
#include "ui/LinkFileCommands.h"
#include "ui/ModuleListCommands.h"
#include "ui/RecentRoms.h"
#include "ui/RecentRomsMenu.h"
#include "ui/RomDocumentCommands.h"
#include "ui/ShellAssociation.h"
#include "ui/TableFileCommands.h"
#include "ui/model/BytesWindow.h"
#include "ui/model/EditorCommandState.h"
#include "ui/model/EditorState.h"
#include "ui/model/TableWindow.h"

namespace {

constexpr UINT_PTR kReloadNoticeTimer = 1;
constexpr UINT kReloadNoticeMilliseconds = 3000;

// Counts a running command for as long as it runs, however it ends.
class BusyScope {
public:
    explicit BusyScope(int& count) : m_count(count) { ++m_count; }
    ~BusyScope() { --m_count; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& m_count;
};

// The editor's undo and redo keys work in the table window too.
std::vector<ACCEL> UndoKeys() {
    std::vector<ACCEL> keys;
    for (const ACCEL& key : EditorResources::EditorAccelerators())
        if (key.cmd == ID_EDIT_UNDO || key.cmd == ID_EDIT_REDO) keys.push_back(key);
    return keys;
}

} // namespace

CEditorDlg::CEditorDlg(CWnd* parent)
    : CDialog(&EditorResources::EditorDialog(), parent), m_hIcon(LoadIcon(EditorResources::EditorIcon())),
      m_state(std::make_unique<EditorState>()), m_view(std::make_unique<EditorView>(*this, *m_state)),
      m_bytes(std::make_unique<BytesWindow>(
              *m_state,
              [this](ByteGridModel& model) { return MakeByteGridWindow(model, *this, &m_placements); })),
      m_table(std::make_unique<TableWindow>(*m_state,
                                            [this](TableWindowModel& model) {
                                                return MakeTableWindow(model, *this, UndoKeys(),
                                                                       &m_placements);
                                            })),
      m_following(m_state->Subscribe([this](const EditorChange& change) { Followed(change); })),
      m_focus(m_view->SubscribeFocus([this](int element) { m_bytes->FocusChanged(element); })),
      m_notices(m_state->Subscribe([this](const EditorChange& change) {
          if (change.kind == EditorChange::Kind::Notice)
              EditorControls(*m_view).Message(m_state->TakeNotice(), MB_OK | MB_ICONEXCLAMATION);
      })) {
    // The editor keeps every applied step on the disk until it is saved.
    m_state->EnableRecovery();
}

// Every member unsubscribes as it goes, so the order no longer matters.
CEditorDlg::~CEditorDlg() = default;

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
            {ID_VIEW_COMPARE, 0, &CEditorDlg::OnCompare},
            {ID_FILE_EXPORTPATCH, 0, &CEditorDlg::OnExportPatch},
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
        RunCommand([this, entry] { (this->*entry->handler)(); });
        return TRUE;
    }
    const UINT id = LOWORD(wParam);
    if (lParam == 0 && id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST) {
        RunCommand([this, id] { OpenRecentRom(id - ID_FILE_MRU_FIRST); });
        return TRUE;
    }
    // IDCANCEL (Exit, Escape, the close box) and IDOK go the base's way.
    return CDialog::OnCommand(wParam, lParam);
}

void CEditorDlg::RunCommand(const std::function<void()>& command) {
    const BusyScope busy(m_busy);
    // A command that asks for more memory than there is (a huge module's
    // form, say) is refused; the open ROM and its unsaved edits stay.
    try {
        command();
    } catch (const std::bad_alloc&) {
        EditorControls(*m_view).Message(CommandOutOfMemoryText(), MB_OK | MB_ICONSTOP);
    }
}

BOOL CEditorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_view->Create();
    ShowCommandState();
    ShowRecentRoms();
    DragAcceptFiles();
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

bool CEditorDlg::IsRomOpen() const {
    return m_state->document.IsOpen();
}

void CEditorDlg::ShowCommandState() {
    EditorCommandState shown = EditorCommandState::Of(*m_state);
    if (m_reloadNotice) shown.mainTitle = ReloadedTitle(shown.mainTitle);
    EditorControls(*m_view).Show(shown);
}

void CEditorDlg::Followed(const EditorChange& change) {
    if (change.kind == EditorChange::Kind::Opened) {
        m_diskWatch.Forget();
        // A store that cannot be written costs only the list.
        (void)RecentRoms::Add(m_state->document.Path());
        ShowRecentRoms();
    }
    ShowCommandState();
}

void CEditorDlg::ShowRecentRoms() {
    m_recent = RecentRoms::Recall();
    if (CMenu* menu = GetMenu()) RecentRomsMenu::Show(*menu, m_recent);
}

void CEditorDlg::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CDialog::OnActivate(nState, pWndOther, bMinimized);
    // The dialog is active again as each of its own boxes goes, inside the
    // command that showed it: that is no return from another program.
    if (nState == WA_INACTIVE || m_busy > 0) return;
    RunCommand([this] {
        if (m_diskWatch.Check(*m_state, *m_view)) ShowReloadNotice();
    });
}

void CEditorDlg::ShowReloadNotice() {
    m_reloadNotice = true;
    ShowCommandState();
    SetTimer(kReloadNoticeTimer, kReloadNoticeMilliseconds);
}

void CEditorDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kReloadNoticeTimer) return CDialog::OnTimer(nIDEvent);
    KillTimer(kReloadNoticeTimer);
    m_reloadNotice = false;
    ShowCommandState();
}

void CEditorDlg::OnDropFiles(HDROP hDropInfo) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFile(hDropInfo, 0xFFFFFFFFu, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::string path(DragQueryFile(hDropInfo, i, nullptr, 0), '\0');
        DragQueryFile(hDropInfo, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(std::move(path));
    }
    DragFinish(hDropInfo);
    RunCommand([this, &paths] { DropCommand(*m_state, *m_view).Run(paths); });
}

void CEditorDlg::OpenRomPath(const std::string& path) {
    RunCommand([this, &path] { RomDocumentCommands(*m_state, *m_view).OpenRomPath(path); });
}

void CEditorDlg::OpenRecentRom(size_t place) {
    if (place >= m_recent.size()) return;
    RomDocumentCommands(*m_state, *m_view).OpenRecentRom(m_recent[place]);
    // A file that was gone has left the list.
    ShowRecentRoms();
}

void CEditorDlg::OnCancel() {
    // The image is not closed first: the destructor releases it. Its edits
    // were saved or let go, so its recovery journal goes now.
    if (!RomDocumentCommands(*m_state, *m_view).MayExit()) return;
    m_state->DropRecovery();
    CDialog::OnCancel();
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
    if (m_state->CurrentModuleIndex() < 0 || !PromptApply()) return;
    ModuleListCommands(*m_state, *m_view).UnloadModule();
}
void CEditorDlg::OnReloadModules() {
    if (m_state->CurrentModuleIndex() < 0 || !RomDocumentCommands(*m_state, *m_view).PromptApplyEdits())
        return;
    ModuleListCommands(*m_state, *m_view).ReloadModules();
}
void CEditorDlg::OnViewBytes() {
    m_bytes->Open();
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
void CEditorDlg::OnCompare() {
    CompareCommands(*m_state, *m_view).CompareWithOriginal();
}
void CEditorDlg::OnExportPatch() {
    CompareCommands(*m_state, *m_view).ExportPatch();
}
void CEditorDlg::OnModuleSelChange() {
    ModuleListCommands(*m_state, *m_view).ModuleSelChange();
}
void CEditorDlg::OnEntrySelChange() {
    CComboBox* combo = m_view->EntryCombo();
    const int sel = combo != nullptr ? combo->GetCurSel() : -1;
    // The same entry again keeps what the user typed; another drops it.
    if (sel < 0 || sel == m_state->CurrentEntry()) return;
    if (!m_state->SelectEntry(sel)) combo->SetCurSel(m_state->CurrentEntry());
}
