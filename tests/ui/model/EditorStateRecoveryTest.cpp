// When the editor's recovery journal exists: from the first applied step
// until the image equals the file again (saved, undone back to the save,
// or closed after the user let the edits go), and a step it cannot keep is
// refused with a notice.
#include <cerrno>
#include <gtest/gtest.h>
#include <string>

#include "ModuleMaker.h"
#include "StoreSandbox.h"
#include "TempDir.h"
#include "table/CTableModule.h"
#include "ui/model/EditorState.h"

namespace {

class EditorStateRecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_rom = m_dir.Write("game.rom", std::string(16, '\x05'));
        m_state.modules.push_back(MakeModule(0, 4, 4, NumberElements(1)));
        m_state.EnableRecovery();
        ASSERT_TRUE(m_state.OpenRom(m_rom, "game.rom").Ok());
        m_state.SelectModule(0);
    }
    RomDocument::Applied Set(int entry, uint8_t value) {
        const uint8_t bytes[1] = {value};
        return m_state.ApplyValue(entry, 0, bytes);
    }
    bool Journaled() const { return TempDir::Exists(RecoveryJournal::PathFor(m_rom)); }

    StoreSandbox m_home;
    TempDir m_dir;
    std::string m_rom;
    EditorState m_state;
    int m_notices = 0;
    Subscription m_listening = m_state.Subscribe([this](const EditorChange& c) {
        if (c.kind == EditorChange::Kind::Notice) ++m_notices;
    });
};

TEST_F(EditorStateRecoveryTest, TheJournalLastsWhileTheImageDiffersFromTheFile) {
    EXPECT_FALSE(Journaled());
    ASSERT_EQ(Set(1, 7).kind, RomDocument::Applied::Kind::Stored);
    EXPECT_TRUE(Journaled());
    m_state.Undo();
    EXPECT_FALSE(Journaled());
    m_state.Redo();
    EXPECT_TRUE(Journaled());
    ASSERT_TRUE(m_state.SaveRom(RomDocument::SaveMode::KeepChangedFile).Ok());
    EXPECT_FALSE(Journaled());
    // Undoing past the save makes the image differ from the file again.
    m_state.Undo();
    EXPECT_TRUE(Journaled());
    m_state.CloseRom();
    EXPECT_FALSE(Journaled());
    EXPECT_EQ(m_notices, 0);
}

TEST_F(EditorStateRecoveryTest, AStepTheJournalRefusesIsNotTakenAndTheUserIsTold) {
    m_state.Recovery().SetSync([](int) {
        errno = ENOSPC;
        return -1;
    });
    EXPECT_NE(Set(1, 7).kind, RomDocument::Applied::Kind::Stored);
    EXPECT_EQ(m_state.document.Data()[4], 5);
    EXPECT_FALSE(m_state.document.IsModified());
    ASSERT_EQ(m_notices, 1);
    EXPECT_NE(m_state.TakeNotice().find("recovery journal"), std::string::npos);
}

TEST_F(EditorStateRecoveryTest, ASecondEditorOfTheRomKeepsNoJournalAndSaysSoOnce) {
    ASSERT_EQ(Set(1, 7).kind, RomDocument::Applied::Kind::Stored);
    EditorState second;
    second.modules.push_back(MakeModule(0, 4, 4, NumberElements(1)));
    second.EnableRecovery();
    int notices = 0;
    const Subscription listening = second.Subscribe([&](const EditorChange& c) {
        if (c.kind == EditorChange::Kind::Notice) ++notices;
    });
    auto editAndSave = [&](uint8_t value) {
        ASSERT_TRUE(second.OpenRom(m_rom, "game.rom").Ok());
        second.SelectModule(0);
        const uint8_t bytes[1] = {value};
        ASSERT_EQ(second.ApplyValue(2, 0, bytes).kind, RomDocument::Applied::Kind::Stored);
        ASSERT_TRUE(second.SaveRom(RomDocument::SaveMode::KeepChangedFile).Ok());
    };
    editAndSave(8);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(second.TakeNotice(), RecoveryInUseText("game.rom"));
    second.CloseRom();
    EXPECT_TRUE(Journaled());
    EXPECT_EQ(m_notices, 0);

    // Once the first editor lets the ROM go, the next open journals again.
    m_state.CloseRom();
    editAndSave(9);
    second.Undo();
    EXPECT_TRUE(Journaled());
    EXPECT_EQ(notices, 1);
}

} // namespace
