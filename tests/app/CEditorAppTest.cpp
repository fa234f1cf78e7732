#include "app/CEditorApp.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "DialogHarness.h"
#include "TestInput.h"
#include "app/StartupOptions.h"
#include "document/LinkFile.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/DialogHook.h"
#include "res/resource.h"
#include "table/CTableModule.h"

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

TEST_F(EditorAppTest, TheFirstArgumentThatIsNotAFlagIsTheModule) {
    const StartupRun run = StartWith({"-nologo", "-style", "fusion", "first.qlm"}, m_app);
    EXPECT_EQ(run.startupModule, "first.qlm");
}

// quillmoor MODULE ROM: the ROM opens as Open Rom opens it, link file and
// all, and the entry selector has the focus.
TEST_F(EditorAppTest, ASecondArgumentIsARomOpenedAfterStartUp) {
    const std::string alpha = WriteModule("alpha.qlm", "Alpha", 0, 4);
    const std::string beta = WriteModule("beta.qlm", "Beta", 0, 4);
    const std::string rom = WriteRom("game.rom", 32);
    WriteFile(LinkFile::PathFor(Dir(), "game.rom"), "beta.qlm\r\n");
    struct {
        bool romOpen = false;
        std::string romPath;
        std::vector<std::string> modules;
        bool entryFocused = false;
    } seen;
    m_app.SetCommandLine({alpha, rom});
    DialogHook hook([&](const DialogRequest& request) -> INT_PTR {
        auto& dlg = static_cast<CEditorDlg&>(*request.dialog);
        seen.romOpen = EditorDlgProbe(dlg).State().document.IsOpen();
        seen.romPath = EditorDlgProbe(dlg).State().document.Path();
        for (const auto& module : EditorDlgProbe(dlg).State().modules)
            seen.modules.push_back(module->m_strName);
        TestInput::ProcessEvents();
        seen.entryFocused = CWnd::GetFocus() == EditorDlgProbe(dlg).EntryCombo();
        return IDCANCEL;
    });
    EXPECT_FALSE(m_app.InitInstance());
    EXPECT_TRUE(seen.romOpen);
    EXPECT_EQ(seen.romPath, rom);
    EXPECT_EQ(seen.modules, std::vector<std::string>{"Beta"}) << "the link file's modules replace the list";
    EXPECT_TRUE(seen.entryFocused);
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
}

// What the command line answers before any window exists.
TEST(StartupOptionsTest, PrintingOptionsEndToolkitOptionsPassAndOtherFlagsAreSkipped) {
    using A = StartupOptions::Action;
    using Args = std::vector<std::string>;
    const struct {
        Args args;
        A action;
        Args ignored;
    } rows[] = {
            {{}, A::Run, {}},
            {{"m.qlm", "game.rom"}, A::Run, {}},
            {{"-", "game.rom"}, A::Run, {}},
            {{"--", "-odd.qlm", "-reverse"}, A::Run, {}},
            {{"--help"}, A::Help, {}},
            {{"m.qlm", "-h"}, A::Help, {}},
            {{"--version", "--bogus"}, A::Version, {}},
            {{"--bogus", "--help"}, A::Help, {"--bogus"}},
            // A toolkit option's value is not an operand, so two files still fit.
            {{"-style", "fusion", "-platform", "offscreen", "-reverse", "m.qlm", "game.rom"}, A::Run, {}},
            {{"--style=fusion", "-stylesheet", "s.qss", "-display", ":1", "m.qlm", "game.rom"}, A::Run, {}},
            {{"-x", "m.qlm", "--nologo", "game.rom"}, A::Run, {"-x", "--nologo"}},
            {{"m.qlm", "-style"}, A::Run, {"-style"}},
            {{"a.qlm", "b.rom", "c"}, A::Invalid, {}},
            {{"-style", "fusion", "a.qlm", "b.rom", "c"}, A::Invalid, {}},
    };
    for (const auto& row : rows) {
        const StartupOptions options = StartupOptions::Parse(row.args);
        std::string line;
        for (const std::string& arg : row.args)
            line += arg + " ";
        EXPECT_EQ(options.action, row.action) << line;
        EXPECT_EQ(options.ExitCode(), row.action == A::Invalid ? 2 : 0) << line;
        EXPECT_EQ(options.ignored, row.ignored) << line;
    }
    EXPECT_EQ(StartupOptions::Parse({"-x", "m.qlm", "-y"}).Warnings(),
              "quillmoor: ignoring unknown option '-x'\nquillmoor: ignoring unknown option '-y'\n");
    EXPECT_EQ(StartupOptions::Parse({"a", "b", "c"}).Output(),
              "quillmoor: too many arguments (at most a module and a ROM)\n"
              "Try 'quillmoor --help' for more information.\n");
    EXPECT_EQ(StartupOptions::Parse({"--version"}).Output().rfind("quillmoor ", 0), 0u);
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
