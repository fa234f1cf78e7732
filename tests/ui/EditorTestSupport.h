#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/CEditorApp.h"
#include "platform/windows/AcceleratorTable.h"
#include "platform/windows/CMenu.h"
#include "res/ui/EditorResources.h"
#include "ui/CEditorDlg.h"

// The editor's dialog with what reaches its command table and its OnCancel
// recorded; everything is passed on unchanged.
class ObservedEditorDlg : public CEditorDlg {
public:
    struct Command {
        UINT nID;
        WORD nCode;
        BOOL bHandled;
    };

    std::vector<Command> m_commands;
    int m_nCancels = 0;

    std::vector<UINT> CommandIds() const {
        std::vector<UINT> ids;
        for (const Command& c : m_commands)
            ids.push_back(c.nID);
        return ids;
    }

    void SetItem(UINT nID, bool bEnabled) {
        GetMenu()->EnableMenuItem(nID, MF_BYCOMMAND | (bEnabled ? MF_ENABLED : MF_GRAYED));
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        const BOOL handled = CEditorDlg::OnCommand(wParam, lParam);
        m_commands.push_back({LOWORD(wParam), HIWORD(wParam), handled});
        return handled;
    }

    void OnCancel() override {
        ++m_nCancels;
        CEditorDlg::OnCancel();
    }
};

// The registry store in a fresh temporary folder for one test.
class TempRegistry {
public:
    TempRegistry();
    ~TempRegistry();
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    const std::filesystem::path& Folder() const { return m_folder; }
    void CreateKey(const char* name);

private:
    std::filesystem::path m_folder;
};
