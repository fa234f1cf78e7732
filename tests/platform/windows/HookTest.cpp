#include <functional>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "ModalScript.h"
#include "RecordingDialog.h"
#include "platform/windows/CFileDialog.h"
#include "platform/windows/CWinApp.h"
#include "platform/windows/MessageBoxHook.h"
#include "platform/windows/Shell.h"
#include "platform/windows/UnscriptedModal.h"

namespace {

TEST(HookTest, MessageBoxRecordsWhatWasShownWithTheAppNameAsDefaultCaption) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    ModalScript script;
    script.AnswerMessageBox(IDNO);
    script.AnswerMessageBox(IDOK);
    EXPECT_EQ(dialog.MessageBox("Apply changes before closing?", "Quillmoor",
                                MB_YESNOCANCEL | MB_ICONINFORMATION),
              IDNO);
    EXPECT_EQ(dialog.MessageBox("This module and this rom are not compatible."), IDOK);
    ASSERT_EQ(script.MessageBoxes().size(), 2u);
    EXPECT_EQ(script.MessageBoxes()[0].caption, "Quillmoor");
    EXPECT_EQ(script.MessageBoxes()[0].type, 0x43u);
    EXPECT_EQ(script.MessageBoxes()[0].owner, dialog.GetSafeHwnd());
    EXPECT_EQ(script.MessageBoxes()[1].caption, AfxGetAppName());
    EXPECT_EQ(AfxGetAppName(), "quill_windows_tests");
    EXPECT_EQ(script.UnusedAnswers(), 0);
}

TEST(HookTest, HooksNestAndRestoreTheOuterOne) {
    std::vector<std::string> outer;
    MessageBoxHook outerHook([&](const MessageBoxRequest& r) {
        outer.push_back(r.text);
        return IDYES;
    });
    {
        MessageBoxHook inner([](const MessageBoxRequest&) { return IDNO; });
        EXPECT_EQ(MessageBox(nullptr, "inner", nullptr, MB_YESNO), IDNO);
    }
    EXPECT_EQ(MessageBox(nullptr, "outer", nullptr, MB_YESNO), IDYES);
    EXPECT_EQ(outer, std::vector<std::string>{"outer"});
}

TEST(HookTest, UnscriptedModalsAreReportedAndAnsweredWithCancel) {
    std::vector<std::string> reports;
    UnscriptedModal::SetReporter([&](const std::string& d) { reports.push_back(d); });
    const int okBox = MessageBox(nullptr, "a", nullptr, MB_OK);
    const int yesNo = MessageBox(nullptr, "b", nullptr, MB_YESNO);
    const int yesNoCancel = MessageBox(nullptr, "c", nullptr, MB_YESNOCANCEL);
    CFileDialog files(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, "All Files (*.*)|*.*|");
    const INT_PTR fileResult = files.DoModal();
    const INT_PTR shell = ShellExecute(nullptr, "open", "file:///help/index.html", nullptr, nullptr, SW_SHOW);
    ModalScript::InstallStrictReporter();
    EXPECT_EQ(okBox, IDOK);
    EXPECT_EQ(yesNo, IDNO);
    EXPECT_EQ(yesNoCancel, IDCANCEL);
    EXPECT_EQ(fileResult, IDCANCEL);
    EXPECT_LE(shell, 32);
    EXPECT_EQ(reports.size(), 5u);
}

TEST(HookTest, TheTestMainFailsATestThatMeetsAnUnscriptedBox) {
    EXPECT_NONFATAL_FAILURE(MessageBox(nullptr, "surprise", nullptr, MB_OK), "unscripted modal");
    EXPECT_NONFATAL_FAILURE(
            {
                ModalScript script;
                MessageBox(nullptr, "not in the script", nullptr, MB_OK);
            },
            "unexpected message box");
}

TEST(HookTest, FileDialogRecordsItsRequestAndWalksTheChosenPaths) {
    ModalScript script;
    script.AnswerFileDialog({"/roms/a.qlm", "/roms/b.qlm", "/roms/c.qlm"});
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST,
                       "Quillmoor modules (*.qlm)|*.qlm|");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(script.FileDialogs().size(), 1u);
    EXPECT_EQ(script.FileDialogs()[0].flags, 0x1200u);
    EXPECT_EQ(script.FileDialogs()[0].filter, "Quillmoor modules (*.qlm)|*.qlm|");
    EXPECT_TRUE(script.FileDialogs()[0].open);
    std::vector<std::string> walked;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;)
        walked.push_back(dialog.GetNextPathName(pos));
    EXPECT_EQ(walked, (std::vector<std::string>{"/roms/a.qlm", "/roms/b.qlm", "/roms/c.qlm"}));

    script.AnswerFileDialog({"/roms/game.gba", "/roms/other.gba"});
    CFileDialog single(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, "All Files (*.*)|*.*|");
    ASSERT_EQ(single.DoModal(), IDOK);
    EXPECT_EQ(single.GetPathName(), "/roms/game.gba");
    EXPECT_EQ(single.GetFileName(), "game.gba");
    POSITION pos = single.GetStartPosition();
    single.GetNextPathName(pos);
    EXPECT_EQ(pos, nullptr) << "a single-selection dialog yields one file";

    script.CancelFileDialog();
    EXPECT_EQ(single.DoModal(), IDCANCEL);
    EXPECT_EQ(single.GetPathName(), "");
    EXPECT_EQ(single.GetStartPosition(), nullptr);
}

TEST(HookTest, ShellExecuteRecordsTheUrlAndReportsSuccessWin32Style) {
    ModalScript script;
    script.AnswerShellExecute(true);
    script.AnswerShellExecute(false);
    EXPECT_GT(
            ShellExecute(nullptr, "open", "/opt/quillmoor/help/index.html", nullptr, nullptr, SW_SHOWNORMAL),
            32);
    EXPECT_LE(ShellExecute(nullptr, "open", "/nowhere", nullptr, nullptr, SW_SHOWNORMAL), 32);
    ASSERT_EQ(script.ShellRequests().size(), 2u);
    EXPECT_EQ(script.ShellRequests()[0].file, "/opt/quillmoor/help/index.html");
    EXPECT_EQ(script.ShellRequests()[0].operation, "open");
}

TEST(HookTest, ModuleFileNameIsTheRunningProgram) {
    const std::string path = GetModuleFileName();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_EQ(path.substr(path.find_last_of('/') + 1), "quill_windows_tests");
    char small[8];
    EXPECT_EQ(GetModuleFileName(nullptr, small, sizeof small), 7u);
    EXPECT_EQ(std::string(small), path.substr(0, 7));
}

} // namespace

namespace {

// Drives the real box from a timer, as a user would: the box opens inside
// the call, so the test reacts to whatever modal box is up.
class BoxDriver {
public:
    explicit BoxDriver(std::function<bool(QMessageBox&, int)> step) : m_step(std::move(step)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
        m_timer.start(10);
    }

private:
    void Tick() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        // A box that ignores everything must still not hang the suite.
        if (++m_ticks > 300 || !m_step(*box, m_ticks)) box->done(QMessageBox::Abort);
    }
    QTimer m_timer;
    int m_ticks = 0;
    std::function<bool(QMessageBox&, int)> m_step;
};

TEST(RealMessageBoxTest, YesNoIgnoresEscapeLikeWin32AndReturnsThePressedButton) {
    UnscriptedModal::SetReporter({});
    QString shownText;
    bool escapeIgnored = false;
    BoxDriver driver([&](QMessageBox& box, int tick) {
        if (tick == 1) {
            shownText = box.text();
            QTest::keyClick(&box, Qt::Key_Escape);
            return true;
        }
        escapeIgnored = box.isVisible();
        box.button(QMessageBox::Yes)->click();
        return true;
    });
    const int answer = MessageBox(nullptr, "<b>Keep?</b>", "Caption", MB_YESNO | MB_ICONEXCLAMATION);
    ModalScript::InstallStrictReporter();
    EXPECT_EQ(answer, IDYES);
    EXPECT_TRUE(escapeIgnored);
    EXPECT_EQ(shownText, QStringLiteral("<b>Keep?</b>"));
}

TEST(RealMessageBoxTest, EscapeIsCancelWhereThereIsACancelButton) {
    UnscriptedModal::SetReporter({});
    BoxDriver driver([](QMessageBox& box, int) {
        QTest::keyClick(&box, Qt::Key_Escape);
        return true;
    });
    const int answer = MessageBox(nullptr, "Apply changes before closing?", "Quillmoor",
                                  MB_YESNOCANCEL | MB_ICONINFORMATION);
    ModalScript::InstallStrictReporter();
    EXPECT_EQ(answer, IDCANCEL);
}

} // namespace
