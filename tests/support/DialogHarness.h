#pragma once

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "EditorDlgProbe.h"
#include "ModalScript.h"
#include "ModuleMaker.h"
#include "StoreSandbox.h"
#include "TempDir.h"
#include "app/CEditorApp.h"
#include "platform/windows/CRect.h"
#include "ui/CEditorDlg.h"
#include "ui/model/EditorState.h"

class CComboBox;
class CTableModule;

// The editor's dialog with what reaches its command table and its OnCancel
// recorded; everything is passed on unchanged.
class ObservedEditorDlg : public CEditorDlg {
public:
    struct Command {
        UINT id;
        WORD code;
        BOOL handled;
    };

    std::vector<Command> commands;
    int cancels = 0;

    std::vector<UINT> CommandIds() const;
    // Enables or grays a menu item the way the handlers do.
    void SetItem(UINT id, bool enabled);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;
};

// Where a child window lies in its parent's client area.
CRect RectInParent(const CWnd& child);

// The editor as a user meets it, in a sandbox of its own: a throwaway home
// (so the association check and the Associate command never touch the
// user's store), a scratch folder for module and ROM files, file dialogs and
// message boxes scripted, commands given with real keys and menu clicks.
class DialogHarness : public ::testing::Test {
public:
    // The scratch folder, resolved and ending in '/'.
    const std::string& Dir() const { return m_files.Path(); }
    std::string PathOf(const std::string& name) const { return m_files / name; }

    // A module titled `title` whose table starts at `base` with `count`
    // entries of 4 bytes: "Value" (byte 0, unsigned) and "Kind" (byte 1, a
    // dropbox listing every byte value). Returns its path.
    std::string WriteModule(const std::string& name, const std::string& title, std::uint32_t base = 0,
                            int count = 4);
    // A module whose version line makes it fail to load.
    std::string WriteBrokenModule(const std::string& name);
    // A ROM whose byte i is `seed` + i (mod 256); returns its path.
    std::string WriteRom(const std::string& name, std::size_t length, std::uint8_t seed = 0);
    static void WriteFile(const std::string& path, const std::string& bytes) {
        TempDir::WriteFile(path, bytes);
    }
    static std::string ReadFile(const std::string& path) { return TempDir::ReadFile(path); }

    // Creates the window with the accelerator table live, as start-up does,
    // and shows it application-modal as DoModal does, so every other
    // window of the program meets the modality it meets in use.
    void Start(const std::string& startupModule = "");
    // Runs `body` inside the dialog's real DoModal loop (after Start), then
    // ends the dialog; its window is gone afterwards.
    INT_PTR RunModal(std::function<void()> body);
    void OpenRom(const std::string& path); // Ctrl+O
    void LoadModules(const std::vector<std::string>& paths);
    void Click(UINT id);
    // Types the value into element 0 and presses Enter.
    void ApplyValue(int value);
    // Module "Alpha" current, game.rom (32 bytes, byte i = 5 + i) open as
    // m_rom, byte 0 changed to 99 in memory.
    void OpenAndModify();
    // Chooses a module in the module selector with the mouse.
    void ChooseModule(int index);

    bool Enabled(UINT id);
    bool Checked(UINT id);
    CComboBox& ModuleSelector();
    std::vector<std::string> ModuleTitles();
    std::string Title() const { return m_dlg.GetWindowText(); }
    // What the dialog holds, beyond what a user sees.
    EditorDlgProbe Probe() const { return EditorDlgProbe(const_cast<ObservedEditorDlg&>(m_dlg)); }
    EditorState& State() const { return Probe().State(); }
    const RomDocument& Document() const { return State().document; }
    CScrollPanel* Panel() const { return Probe().Panel(); }
    CComboBox* EntryCombo() const { return Probe().EntryCombo(); }
    // What element 0's control shows.
    std::string ShownValue();
    // The texts of every message box so far.
    std::vector<std::string> Messages() const;
    // Messages with this exact text.
    int CountMessages(const std::string& text) const;

    static constexpr char kIncompatible[] = "This module and this rom are not compatible.";
    static constexpr char kApplyQuestion[] = "Apply changes before closing?";

    StoreSandbox m_store;
    TempDir m_files;
    ModalScript m_modals;
    CEditorApp m_app;
    ObservedEditorDlg m_dlg;
    // The ROM that OpenAndModify opened.
    std::string m_rom;

private:
    std::string m_startup;
};
