#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/windows/CDialog.h"

class CComboBox;
class CFont;
class CScrollPanel;
class CStatic;
class CTableModule;
class ElementForm;

// The editor's one window: a modal dialog that owns the ROM image, the
// loaded modules, the form and the two selectors. Commands and notifications
// reach their handlers through a fixed table (see CEditorDlg.cpp).
class CEditorDlg : public CDialog {
public:
    explicit CEditorDlg(CWnd* parent = nullptr);
    ~CEditorDlg() override;

    BOOL OnInitDialog() override;

    void OnOpenRom();
    void OnCloseRom();
    void OnSaveRom();
    void OnApplyChanges();
    void OnLoadModules();
    void OnUnloadModule();
    void OnLinkRom();
    void OnAssociate();
    void OnAbout();
    void OnHelp();
    void OnModuleSelChange();
    void OnEntrySelChange();

    // The element form of the current module (the work is ElementForm's).
    // BuildForm when a module becomes current, DestroyForm before it stops
    // being current, ShowEntry after every successful SelectEntry.
    void BuildForm(int module);
    void DestroyForm();
    void ShowEntry();

    // The apply question; true to go on (RomDocumentCommands).
    bool PromptApply();
    // The module list's ways in (ModuleListCommands).
    void AddModuleFromFile(const std::string& path);
    void SelectFirstModule();

    // Module path from the command line; start-up points it at a string it
    // keeps alive for the dialog's whole life. Never null.
    LPCSTR m_lpszStartupModule = "";
    HICON m_hIcon = nullptr;
    std::unique_ptr<std::uint8_t[]> m_pRom;
    bool m_bRomOpen = false;
    bool m_bModified = false;
    // True whenever no ROM is open.
    bool m_bCompatible = true;
    int m_nCurModule = -1;
    std::string m_strRomDir;
    std::string m_strRomPath;
    std::string m_strRomName;
    std::uint32_t m_nRomLength = 0;
    // The module list; its size is the number of loaded modules.
    std::vector<std::unique_ptr<CTableModule>> m_modules;
    // One value control and one label per element of the current module.
    std::vector<std::unique_ptr<CWnd>> m_valueCtrls;
    std::vector<std::unique_ptr<CStatic>> m_labelCtrls;
    std::unique_ptr<CFont> m_pFont;
    std::unique_ptr<CScrollPanel> m_pPanel;
    std::unique_ptr<CComboBox> m_pEntryCombo;

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

    void CreatePanel();
    void CreateEntryCombo();
    void CheckAssociation();
    void LoadStartupModule();
    ElementForm Form();
    CTableModule* FormModule() const;
};
