#include "app/CEditorApp.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "DialogHarness.h"
#include "TestInput.h"
#include "platform/windows/DialogHook.h"
#include "res/resource.h"

namespace {

struct StartupRun {
    std::string startupModule;
    bool mainWndWasDialog = false;
    bool endedByEnter = true;
    bool endedByEscape = false;
    int endResult = 0;
};

// Runs InitInstance with the given command line; the modal run is replaced
// by a look at the dialog and a user's Enter and Escape.
StartupRun StartWith(std::vector<std::string> args, CEditorApp& app) {
    StartupRun run;
    app.SetCommandLine(std::move(args));
    DialogHook hook([&](const DialogRequest& request) -> INT_PTR {
        auto& dlg = static_cast<CEditorDlg&>(*request.dialog);
        run.startupModule = dlg.m_lpszStartupModule;
        run.mainWndWasDialog = app.m_pMainWnd == &dlg;
        TestInput::KeyClick(dlg, VK_RETURN);
        run.endedByEnter = dlg.IsEnded() != FALSE;
        TestInput::KeyClick(dlg, VK_ESCAPE);
        run.endedByEscape = dlg.IsEnded() != FALSE;
        run.endResult = dlg.GetEndResult();
        return -1;
    });
    EXPECT_FALSE(app.InitInstance());
    return run;
}

using EditorAppTest = DialogHarness;

TEST_F(EditorAppTest, NoArgumentGivesAnEmptyStartupModule) {
    const StartupRun run = StartWith({}, m_app);
    EXPECT_EQ(run.startupModule, "");
    EXPECT_TRUE(run.mainWndWasDialog);
    // Enter with Apply Changes grayed does nothing; Escape ends the dialog.
    EXPECT_FALSE(run.endedByEnter);
    EXPECT_TRUE(run.endedByEscape);
    EXPECT_EQ(run.endResult, IDCANCEL);
    EXPECT_NE(m_app.m_hAccel, nullptr);
    // The dialog is gone; nothing may point at it any more.
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
}

TEST_F(EditorAppTest, OneArgumentArrivesWholeBlanksIncluded) {
    const StartupRun run = StartWith({"/tmp/my modules/bestiary.qlm"}, m_app);
    EXPECT_EQ(run.startupModule, "/tmp/my modules/bestiary.qlm");
    EXPECT_TRUE(run.endedByEscape);
}

TEST_F(EditorAppTest, OnlyTheFirstArgumentThatIsNotAFlagCounts) {
    const StartupRun run = StartWith({"-geometry", "first.qlm", "second.qlm", "-x"}, m_app);
    EXPECT_EQ(run.startupModule, "first.qlm");
}

TEST_F(EditorAppTest, FilterOffersKeysToTheTableOnlyWithAMainDialog) {
    MSG f1;
    f1.message = WM_KEYDOWN;
    f1.wParam = VK_F1;
    // Before start-up there is no table and no dialog: the base answers.
    EXPECT_FALSE(m_app.ProcessMessageFilter(MSGF_DIALOGBOX, &f1));

    // F1 runs Help, which hands the guide's URL to the desktop.
    Start();
    m_modals.AnswerShellExecute(true);
    f1.hwnd = m_dlg.GetSafeHwnd();
    EXPECT_TRUE(m_app.ProcessMessageFilter(MSGF_DIALOGBOX, &f1));
    EXPECT_EQ(m_dlg.CommandIds(), std::vector<UINT>{ID_HELP_HELP});

    // Keys the table does not know pass on.
    MSG other = f1;
    other.wParam = VK_F2;
    EXPECT_FALSE(m_app.ProcessMessageFilter(MSGF_DIALOGBOX, &other));
    EXPECT_EQ(m_dlg.commands.size(), 1u);
}

} // namespace
