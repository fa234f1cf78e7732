// The open ROM's file rebuilt, or removed, by another program while the
// user was away from the editor: what returning to the window does.

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

#include "DialogHarness.h"
#include "TestInput.h"
#include "platform/windows/CComboBox.h"
#include "res/resource.h"
#include "ui/CScrollPanel.h"

namespace {

namespace fs = std::filesystem;

class RebuiltRomTest : public DialogHarness {
protected:
    // Another program writes a new file and renames it over the ROM, as
    // build tools do: byte i becomes `seed` + i.
    void Rebuild(std::uint8_t seed, std::size_t length = 32) {
        fs::rename(WriteRom("game.rom.new", length, seed), m_rom);
    }
    // Away to another program and back to the editor's window.
    void ComeBack() {
        TestInput::LeaveProgram();
        TestInput::Activate(m_dlg);
    }
    std::string Image() const {
        return std::string(reinterpret_cast<const char*>(Document().Data()), Document().Length());
    }

    static constexpr char kQuestion[] =
            "game.rom was changed on disk by another program. Reload it and drop your unsaved changes?";
    static constexpr char kNotice[] = "Quillmoor - game.rom - reloaded, the file changed on disk";
};

TEST_F(RebuiltRomTest, WithNothingAtStakeTheNewFileShowsAtOnceAtTheSameEntryAndTheNoticeGoes) {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha", 0, 8)});
    m_rom = WriteRom("game.rom", 32, 5);
    OpenRom(m_rom);
    TestInput::ChooseComboItem(*EntryCombo(), 2);
    ASSERT_EQ(ShownValue(), "13");

    // Leaving and coming back with the file as it was does nothing.
    ComeBack();
    EXPECT_EQ(Title(), "Quillmoor - game.rom");

    Rebuild(100, 40);
    ComeBack();
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
    EXPECT_EQ(Image(), ReadFile(m_rom));
    EXPECT_EQ(State().CurrentEntry(), 2);
    EXPECT_EQ(ShownValue(), "108");
    EXPECT_EQ(Title(), kNotice);
    EXPECT_FALSE(Document().IsModified());

    // The notice is brief: the title is plain again a few seconds later.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Title() != "Quillmoor - game.rom" && std::chrono::steady_clock::now() < until) {
        TestInput::ProcessEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(Title(), "Quillmoor - game.rom");
}

TEST_F(RebuiltRomTest, WithUnsavedEditsNoKeepsTheImageAndIsNotAskedAgainWhileYesReloads) {
    OpenAndModify();
    Rebuild(50);
    m_modals.AnswerMessageBox(IDNO);
    ComeBack();
    EXPECT_EQ(Messages(), std::vector<std::string>{kQuestion});
    EXPECT_EQ(Image()[0], 99);
    EXPECT_EQ(Image()[1], 6);
    EXPECT_EQ(Title(), "Quillmoor - game.rom *");

    // The same file on the disk is not asked about twice; Save still
    // guards it with its own question.
    ComeBack();
    m_modals.AnswerMessageBox(IDNO);
    TestInput::KeyClick(m_dlg, 'S', FCONTROL);
    EXPECT_EQ(m_modals.MessageBoxes().size(), 2u);
    EXPECT_EQ(ReadFile(m_rom)[0], 50);

    // Rebuilt once more: asked again, and Yes drops the edit.
    Rebuild(70);
    m_modals.AnswerMessageBox(IDYES);
    ComeBack();
    EXPECT_EQ(CountMessages(kQuestion), 2);
    EXPECT_EQ(Image(), ReadFile(m_rom));
    EXPECT_EQ(ShownValue(), "70");
    EXPECT_FALSE(Document().IsModified());
    EXPECT_EQ(Title(), kNotice);
    EXPECT_EQ(m_modals.UnusedAnswers(), 0);
}

TEST_F(RebuiltRomTest, AValueTypedAndNotAppliedCountsAsUnsavedWork) {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha")});
    m_rom = WriteRom("game.rom", 32, 5);
    OpenRom(m_rom);
    CWnd* edit = Panel()->GetDlgItem(IDC_ELEMENT_BASE);
    ASSERT_NE(edit, nullptr);
    TestInput::KeyClick(*edit, 'A', FCONTROL);
    TestInput::TypeText(*edit, "77");
    Rebuild(60);
    m_modals.AnswerMessageBox(IDNO);
    ComeBack();
    EXPECT_EQ(Messages(), std::vector<std::string>{kQuestion});
    EXPECT_EQ(ShownValue(), "77");
    EXPECT_EQ(Image()[0], 5);
}

TEST_F(RebuiltRomTest, AFileThatWentIsReportedOnceAndTheImageStays) {
    OpenAndModify();
    fs::remove(m_rom);
    m_modals.AnswerMessageBox(IDOK);
    ComeBack();
    ComeBack();
    EXPECT_EQ(Messages(),
              std::vector<std::string>{m_rom + " is no longer on the disk: another program removed or "
                                               "renamed it. The ROM stays open as it was."});
    EXPECT_TRUE(Document().IsOpen());
    EXPECT_EQ(Image()[0], 99);
    EXPECT_EQ(Title(), "Quillmoor - game.rom *");

    // Back again, rebuilt: it is a file to ask about once more.
    Rebuild(40);
    m_modals.AnswerMessageBox(IDNO);
    ComeBack();
    EXPECT_EQ(CountMessages(kQuestion), 1);
    EXPECT_EQ(m_modals.UnusedAnswers(), 0);
}

} // namespace
