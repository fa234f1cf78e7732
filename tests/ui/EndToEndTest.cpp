// The whole road of one edit as a user takes it: Quillmoor started with the
// example module on its command line, Ctrl+O for the example ROM, an entry
// picked, a new value put into an element of every kind with real keys and
// clicks, Enter, Ctrl+S, Escape; then the saved file's bytes.

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

#include "DialogHarness.h"
#include "TestInput.h"
#include "app/CEditorApp.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/DialogHook.h"
#include "res/resource.h"
#include "ui/CEditorDlg.h"
#include "ui/CScrollPanel.h"

namespace {

namespace fs = std::filesystem;

// Where entry 2 ("Quill hog") of the example's table starts in its ROM.
constexpr std::size_t kEntry2 = 0x40 + 2 * 20;

void CopyExample(const fs::path& to) {
    for (const auto& file : fs::directory_iterator(QUILL_EXAMPLE_DIR))
        if (file.is_regular_file()) fs::copy_file(file.path(), to / file.path().filename());
}

class EndToEndTest : public DialogHarness {
protected:
    void SetUp() override {
        CopyExample(Dir());
        m_rom = PathOf("bestiary.rom");
        m_before = ReadFile(m_rom);
        ASSERT_EQ(m_before.size(), 0x40u + 24 * 20 + 32);
    }

    static CWnd& Value(CEditorDlg& dlg, int i) {
        return *EditorDlgProbe(dlg).Panel()->GetDlgItem(IDC_ELEMENT_BASE + i);
    }

    static void Retype(CEditorDlg& dlg, int i, const std::string& text) {
        CWnd& edit = Value(dlg, i);
        edit.SetFocus();
        TestInput::KeyClick(edit, 'A', FCONTROL);
        TestInput::TypeText(edit, text);
    }

    static void Choose(CEditorDlg& dlg, int i, int item) {
        TestInput::ChooseComboItem(dynamic_cast<CComboBox&>(Value(dlg, i)), item);
    }

    // Everything a user does between the window's appearance and Escape.
    void Edit(CEditorDlg& dlg) {
        m_modals.AnswerFileDialog({m_rom});
        TestInput::KeyClick(dlg, 'O', FCONTROL);
        EXPECT_EQ(dlg.GetWindowText(), "Quillmoor - bestiary.rom");
        EXPECT_EQ(EditorDlgProbe(dlg).EntryCombo()->GetCount(), 24);
        EXPECT_TRUE(EditorDlgProbe(dlg).EntryCombo()->IsWindowEnabled());
        EXPECT_EQ(Value(dlg, 0).GetWindowText(), "Toad");

        TestInput::ChooseComboItem(*EditorDlgProbe(dlg).EntryCombo(), 2);
        EXPECT_EQ(Value(dlg, 0).GetWindowText(), "Quillhog");
        EXPECT_EQ(Value(dlg, 5).GetWindowText(), "02 10 00");
        TestInput::SaveScreenshot(dlg, QUILL_FORM_SCREENSHOT);

        Choose(dlg, 3, 3);      // Habitat: Tundra
        Choose(dlg, 7, 2);      // Affinity: 0x20 Frost
        Retype(dlg, 0, "Boar"); // through the character table
        Retype(dlg, 1, "500");
        Retype(dlg, 2, "-7");
        Retype(dlg, 4, "0xbeef");
        Retype(dlg, 5, "0a 0b 0c");
        Retype(dlg, 6, "9");
        m_modals.AnswerMessageBox(IDOK);
        TestInput::KeyClick(Value(dlg, 6), VK_RETURN);
        EXPECT_EQ(dlg.GetWindowText(), "Quillmoor - bestiary.rom *");
        EXPECT_EQ(Value(dlg, 4).GetWindowText(), "0xBEEF");

        TestInput::KeyClick(dlg, 'S', FCONTROL);
        EXPECT_EQ(dlg.GetWindowText(), "Quillmoor - bestiary.rom");
        TestInput::KeyClick(dlg, VK_ESCAPE);
        EXPECT_TRUE(dlg.IsEnded());
    }

    std::string m_before;
};

TEST_F(EndToEndTest, OneEditOfEveryKindFromStartToTheSavedFile) {
    m_app.SetCommandLine({PathOf("bestiary.qlm")});
    DialogHook hook([&](const DialogRequest& request) -> INT_PTR {
        Edit(static_cast<CEditorDlg&>(*request.dialog));
        return IDCANCEL;
    });
    EXPECT_FALSE(m_app.InitInstance());

    std::string expected = m_before;
    const std::string entry = std::string("\x81\xAE\xA0\xB1\0\0\0\0", 8) // "Boar"
                              + "\xF4\x01"                               // 500
                              + "\xF9"                                   // -7
                              + "\x03"                                   // Tundra
                              + "\xEF\xBE"                               // 0xBEEF
                              + "\x0A\x0B\x0C"                           // loot flags
                              + "\x09"                                   // biscuits
                              + "\x20";                                  // Frost
    expected.replace(kEntry2, entry.size(), entry);
    const std::string after = ReadFile(m_rom);
    EXPECT_EQ(after.size(), expected.size());
    EXPECT_TRUE(after == expected)
            << "first difference at byte "
            << std::distance(
                       after.begin(),
                       std::mismatch(after.begin(), after.end(), expected.begin(), expected.end()).first);
    ASSERT_EQ(m_modals.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_modals.MessageBoxes()[0].caption, "Biscuits");
    EXPECT_EQ(m_modals.UnusedAnswers(), 0);
}

} // namespace
