// A command that runs out of memory half way is a message, never an abort:
// the image with its unsaved changes survives and can still be saved.
#include <gtest/gtest.h>
#include <string>

#include "DialogHarness.h"
#include "FailingAllocation.h"
#include "TestInput.h"
#include "res/StringTable.h"
#include "res/resource.h"

namespace {

class OutOfMemoryCommandTest : public DialogHarness {};

TEST_F(OutOfMemoryCommandTest, TheDocumentAndItsChangesOutliveAFailedCommand) {
    OpenAndModify();
    m_modals.AnswerMessageBox(IDOK);
    {
        // The command's first allocation: Reload Modules asking whether the
        // form holds edits.
        const FailingAllocation fail(0);
        m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_MODULES_RELOAD, 0), 0);
        ASSERT_TRUE(fail.Fired());
    }
    EXPECT_EQ(Messages().back(), CommandOutOfMemoryText());
    EXPECT_TRUE(Document().IsModified());
    EXPECT_EQ(Document().Data()[0], 99);
    // The edit is still there to save.
    TestInput::KeyClick(m_dlg, 'S', FCONTROL);
    EXPECT_EQ(ReadFile(m_rom)[0], char(99));
    EXPECT_EQ(Title(), "Quillmoor - game.rom");
}

} // namespace
