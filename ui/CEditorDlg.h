#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/Observers.h"
#include "platform/windows/CDialog.h"
#include "ui/RomDiskWatch.h"
#include "ui/WindowPlacementStore.h"

class BytesWindow;
class EditorState;
class EditorView;
class TableWindow;
struct EditorChange;

// The editor's one window: a modal dialog over the editor's state (the ROM
// document, the module list and the selection) and its view (the form and
// the two selectors). Commands and notifications reach their handlers
// through a fixed table (see CEditorDlg.cpp); the handlers delegate to the
// command classes, which never call back into the dialog. Whatever the
// state becomes, the menu, the selectors and every window's title follow
// it through one function (EditorCommandState).
class CEditorDlg : public CDialog {
public:
    explicit CEditorDlg(CWnd* parent = nullptr);
    ~CEditorDlg() override;

    BOOL OnInitDialog() override;

    void OnOpenRom();
    void OnCloseRom();
    void OnSaveRom();
    void OnApplyChanges();
    void OnExportTable();
    void OnImportTable();
    void OnUndo();
    void OnRedo();
    void OnLoadModules();
    void OnUnloadModule();
    void OnReloadModules();
    void OnViewBytes();
    void OnLinkRom();
    void OnAssociate();
    void OnAbout();
    void OnHelp();
    void OnViewTable();
    void OnCompare();
    void OnExportPatch();
    void OnModuleSelChange();
    void OnEntrySelChange();
    // Every way of opening a ROM by its path ends here: the command line,
    // File > Recent Roms, a file dropped on the dialog, Open Rom itself.
    void OpenRomPath(const std::string& path);

    // The apply question; true to go on.
    bool PromptApply();

    // Module path from the command line; start-up points it at a string it
    // keeps alive for the dialog's whole life. Never null.
    LPCSTR m_lpszStartupModule = "";
    HICON m_hIcon = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool IsRomOpen() const;
    void OnCancel() override;
    // Back to the front: the open ROM's file is compared with the disk.
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnDropFiles(HDROP hDropInfo) override;

private:
    // Tests and benchmarks reach the state and the windows through it.
    friend class EditorDlgProbe;

    // A row of the command table: a command (code 0, from a menu, a key or
    // a button) or a control's notification, and the handler it runs.
    struct CommandEntry {
        UINT id;
        WORD code;
        void (CEditorDlg::*handler)();
    };
    static const std::vector<CommandEntry>& CommandTable();
    // The entry a WM_COMMAND's wParam and lParam select, or null.
    static const CommandEntry* FindCommand(WPARAM wParam, LPARAM lParam);

    void CheckAssociation();
    void LoadStartupModule();
    void ShowCommandState();
    void Followed(const EditorChange& change);
    void ShowRecentRoms();
    void OpenRecentRom(size_t place);
    void ShowReloadNotice();
    // Runs a command: a command that asks for more memory than there is is
    // refused, and while it runs the dialog counts as busy.
    void RunCommand(const std::function<void()>& command);

    // Declared first so they outlive everything that follows them; the
    // side windows remember their places in it as they go.
    WindowPlacementStore m_placements;
    std::unique_ptr<EditorState> m_state;
    std::unique_ptr<EditorView> m_view;
    std::unique_ptr<BytesWindow> m_bytes;
    std::unique_ptr<TableWindow> m_table;
    Subscription m_following;
    Subscription m_focus;
    // The state's notices (a step the recovery journal refused, recovery
    // off), shown as they come.
    Subscription m_notices;
    RomDiskWatch m_diskWatch;
    // The paths File > Recent Roms shows, in its order.
    std::vector<std::string> m_recent;
    // Commands running (one inside another's message box counts too).
    int m_busy = 0;
    bool m_reloadNotice = false;
};
