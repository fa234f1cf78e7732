#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/windows/CDialog.h"

class BytesWindow;
class CComboBox;
class CScrollPanel;
class CTableModule;
class RomDocument;
struct EditorState;
class EditorView;
class TableWindow;

// The editor's one window: a modal dialog over the editor's state (the ROM
// document and the module list) and its view (the form and the two
// selectors). Commands and notifications reach their handlers through a
// fixed table (see CEditorDlg.cpp); the handlers delegate to the command
// classes, which never call back into the dialog.
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
    void OnModuleSelChange();
    void OnEntrySelChange();

    // The element form of the current module (the work is EditorView's).
    // BuildForm when a module becomes current, DestroyForm before it stops
    // being current, ShowEntry after every successful SelectEntry.
    void BuildForm(int module);
    void DestroyForm();
    void ShowEntry();

    // The apply question; true to go on.
    bool PromptApply();
    void AddModuleFromFile(const std::string& path);
    void SelectFirstModule();

    // What the editor holds, for tests and benchmarks that set it up or
    // look at it directly.
    EditorState& State() { return *m_state; }
    const RomDocument& Document() const;
    const std::vector<std::unique_ptr<CTableModule>>& Modules() const;
    int CurrentModuleIndex() const;
    CScrollPanel* Panel() const;
    CComboBox* EntryCombo() const;
    EditorView& View() { return *m_view; }
    BytesWindow& Bytes() { return *m_bytes; }
    TableWindow& Table() { return *m_table; }

    // Module path from the command line; start-up points it at a string it
    // keeps alive for the dialog's whole life. Never null.
    LPCSTR m_lpszStartupModule = "";
    HICON m_hIcon = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;

private:
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

    // Declared first so they outlive the view, whose rows describe the
    // current module.
    std::unique_ptr<EditorState> m_state;
    std::unique_ptr<EditorView> m_view;
    // Follows the view and the document, so it goes before them.
    std::unique_ptr<BytesWindow> m_bytes;
    // Follows the view and the document from the start; its window comes
    // with the first View > Table.
    std::unique_ptr<TableWindow> m_table;
};
