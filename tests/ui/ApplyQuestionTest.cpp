// The apply question from every operation that asks it, with every answer:
// what runs, what the title says, and what reaches the disk. A save refused
// because the module does not fit stops the operation, like a failed write.

#include <gtest/gtest.h>
#include <string>
#include <tuple>

#include "DialogHarness.h"
#include "TestInput.h"
#include "res/resource.h"

namespace {

enum class Operation {
    CloseRom,
    OpenRom,
    Exit,
    UnloadModule
};
enum class Answer {
    Cancel,
    No,
    Yes,
    YesIncompatible
};

class ApplyQuestionTest : public DialogHarness,
                          public ::testing::WithParamInterface<std::tuple<Operation, Answer>> {
protected:
    Operation Op() const { return std::get<0>(GetParam()); }
    Answer Reply() const { return std::get<1>(GetParam()); }

    // A ROM open with one edit applied (byte 0 becomes 99). For the
    // incompatible case a module too large for the ROM is made current
    // afterwards, which keeps the edit in the image.
    void Modify() {
        OpenAndModify();
        if (HasFatalFailure()) return;
        if (Reply() == Answer::YesIncompatible) {
            LoadModules({WriteModule("big.qlm", "Big", 0, 100)});
            m_modals.AnswerMessageBox(IDOK);
            ChooseModule(1);
            ASSERT_FALSE(State().Fits());
        }
        m_modulesBefore = State().modules.size();
    }

    void ScriptAnswer() {
        switch (Reply()) {
        case Answer::Cancel:
            m_modals.AnswerMessageBox(IDCANCEL);
            break;
        case Answer::No:
            m_modals.AnswerMessageBox(IDNO);
            break;
        case Answer::Yes:
            m_modals.AnswerMessageBox(IDYES);
            break;
        case Answer::YesIncompatible:
            m_modals.AnswerMessageBox(IDYES);
            m_modals.AnswerMessageBox(IDOK);
            break;
        }
    }

    void Run() {
        switch (Op()) {
        case Operation::CloseRom:
            Click(ID_FILE_CLOSEROM);
            break;
        case Operation::OpenRom:
            OpenRom(WriteRom("other.rom", 32, 50));
            break;
        case Operation::Exit:
            TestInput::KeyClick(m_dlg, VK_ESCAPE);
            break;
        case Operation::UnloadModule:
            Click(ID_MODULES_UNLOAD);
            break;
        }
    }

    bool Done() {
        switch (Op()) {
        case Operation::CloseRom:
            return !Document().IsOpen() && Title() == "Quillmoor - No file open";
        case Operation::OpenRom:
            return Title() == "Quillmoor - other.rom";
        case Operation::Exit:
            return m_dlg.IsEnded() != FALSE;
        case Operation::UnloadModule:
            return State().modules.size() == m_modulesBefore - 1;
        }
        return false;
    }

    std::size_t m_modulesBefore = 0;
};

TEST_P(ApplyQuestionTest, AnswerDecidesWhatRunsAndWhatIsSaved) {
    Modify();
    ScriptAnswer();
    Run();

    const std::string disk = ReadFile(m_rom);
    ASSERT_EQ(disk.size(), 32u);
    EXPECT_EQ(CountMessages(kApplyQuestion), 1);
    for (const MessageBoxRequest& box : m_modals.MessageBoxes()) {
        if (box.text != kApplyQuestion) continue;
        EXPECT_EQ(box.caption, "Quillmoor");
        EXPECT_EQ(box.type, MB_YESNOCANCEL | MB_ICONINFORMATION);
    }
    switch (Reply()) {
    case Answer::Cancel:
    case Answer::YesIncompatible:
        // Nothing ran; the edit is still in memory and still marked.
        EXPECT_FALSE(Done());
        ASSERT_TRUE(Document().IsOpen());
        EXPECT_TRUE(Document().IsModified());
        EXPECT_EQ(Title(), "Quillmoor - game.rom *");
        EXPECT_EQ(Document().Data()[0], 99);
        EXPECT_EQ(disk[0], 5);
        EXPECT_EQ(CountMessages(kIncompatible), Reply() == Answer::Cancel ? 0 : 2);
        break;
    case Answer::No:
        EXPECT_TRUE(Done());
        EXPECT_EQ(disk[0], 5);
        // Unloading keeps the image, so the edit stays unsaved in it; Exit
        // leaves the document to the destructor.
        EXPECT_EQ(Document().IsModified(), Op() == Operation::UnloadModule || Op() == Operation::Exit);
        break;
    case Answer::Yes:
        EXPECT_TRUE(Done());
        EXPECT_EQ(disk[0], 99);
        EXPECT_FALSE(Document().IsModified());
        break;
    }
    EXPECT_EQ(m_modals.UnusedAnswers(), 0);
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<Operation, Answer>>& info) {
    static const char* const ops[] = {"CloseRom", "OpenRom", "Exit", "UnloadModule"};
    static const char* const answers[] = {"Cancel", "No", "Yes", "YesIncompatible"};
    return std::string(ops[static_cast<int>(std::get<0>(info.param))]) +
           answers[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Operations, ApplyQuestionTest,
                         ::testing::Combine(::testing::Values(Operation::CloseRom, Operation::OpenRom,
                                                              Operation::Exit, Operation::UnloadModule),
                                            ::testing::Values(Answer::Cancel, Answer::No, Answer::Yes,
                                                              Answer::YesIncompatible)),
                         CaseName);

// Nothing applied: no question at all, whatever the operation.
using UnmodifiedDocumentTest = DialogHarness;

TEST_F(UnmodifiedDocumentTest, ClosesAndExitsWithoutAQuestion) {
    Start();
    LoadModules({WriteModule("a.qlm", "Alpha")});
    OpenRom(WriteRom("game.rom", 32));
    Click(ID_MODULES_UNLOAD);
    Click(ID_FILE_CLOSEROM);
    TestInput::KeyClick(m_dlg, VK_ESCAPE);
    EXPECT_TRUE(m_dlg.IsEnded());
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
}

} // namespace
