#pragma once

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "app/CEditorApp.h"
#include "tests/platform/ModalScript.h"
#include "ui/CEditorDlg.h"

class CComboBox;

// The editor's dialog as a user meets it, in a scratch folder of its own:
// module and ROM files written there, file dialogs and message boxes
// scripted, commands given with real keys and menu clicks.
class DialogFixture : public ::testing::Test {
protected:
    DialogFixture();
    ~DialogFixture() override;

    // The folder, resolved and ending in '/'.
    const std::string& Dir() const { return m_strDir; }
    std::string PathOf(const std::string& name) const { return m_strDir + name; }

    // A module titled `title` whose table starts at `base` with `count`
    // entries of 4 bytes: "Value" (byte 0, unsigned) and "Kind" (byte 1, a
    // dropbox listing every byte value). Returns its path.
    std::string WriteModule(const std::string& name, const std::string& title, std::uint32_t base = 0,
                            int count = 4);
    // A module whose version line makes it fail to load.
    std::string WriteBrokenModule(const std::string& name);
    // A ROM whose byte i is `seed` + i (mod 256); returns its path.
    std::string WriteRom(const std::string& name, std::size_t length, std::uint8_t seed = 0);
    static void WriteFile(const std::string& path, const std::string& bytes);
    static std::string ReadFile(const std::string& path);

    // Creates the window with the accelerator table live.
    void Start(const std::string& startupModule = "");
    void OpenRom(const std::string& path); // Ctrl+O
    void LoadModules(const std::vector<std::string>& paths);
    void Click(UINT nID);
    // Types the value into element 0 and presses Enter.
    void ApplyValue(int value);
    // Module "Alpha" current, game.rom (32 bytes, byte i = 5 + i) open as
    // m_strRom, byte 0 changed to 99 in memory.
    void OpenAndModify();
    // Chooses a module in the module selector with the mouse.
    void ChooseModule(int index);

    bool Enabled(UINT nID);
    CComboBox& ModuleSelector();
    std::vector<std::string> ModuleTitles();
    std::string Title() const { return m_dlg.GetWindowText(); }
    // What element 0's control shows.
    std::string ShownValue();
    // The texts of every message box so far.
    std::vector<std::string> Messages() const;
    // Messages with this exact text.
    int CountMessages(const std::string& text) const;

    static constexpr char kIncompatible[] = "This module and this rom are not compatible.";
    static constexpr char kApplyQuestion[] = "Apply changes before closing?";

    ModalScript m_modals;
    CEditorApp m_app;
    CEditorDlg m_dlg;
    // The ROM that OpenAndModify opened.
    std::string m_strRom;

private:
    std::string m_strDir;
    std::string m_strStartup;
};
