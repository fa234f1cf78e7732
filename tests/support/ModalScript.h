#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/CFileDialog.h"
#include "platform/windows/DialogHook.h"
#include "platform/windows/MessageBoxHook.h"
#include "platform/windows/Shell.h"

// Scripted answers for every modal interaction for the lifetime of the
// object, and a record of what was shown. A modal that comes up when its
// queue is empty fails the current test (and gets the cancel answer), so a
// test states exactly which boxes it expects.
class ModalScript {
public:
    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    void AnswerMessageBox(int button);
    void AnswerFileDialog(std::vector<std::string> paths);
    void CancelFileDialog();
    void AnswerShellExecute(bool success);
    // A modal dialog (e.g. an about box) is ended with this result as soon
    // as it is shown.
    void AnswerDialog(INT_PTR result);

    const std::vector<MessageBoxRequest>& MessageBoxes() const { return m_messageBoxes; }
    const std::vector<FileDialogRequest>& FileDialogs() const { return m_fileDialogs; }
    const std::vector<ShellExecuteRequest>& ShellRequests() const { return m_shellRequests; }
    const std::vector<std::string>& DialogCaptions() const { return m_dialogCaptions; }
    // Answers scripted but never asked for.
    int UnusedAnswers() const;

    // Makes every unscripted modal fail the running test instead of
    // showing (the test main does this once; tests that replace the
    // reporter put it back with this).
    static void InstallStrictReporter();

private:
    std::deque<int> m_messageBoxAnswers;
    std::deque<FileDialogAnswer> m_fileDialogAnswers;
    std::deque<bool> m_shellAnswers;
    std::deque<INT_PTR> m_dialogAnswers;
    std::vector<MessageBoxRequest> m_messageBoxes;
    std::vector<FileDialogRequest> m_fileDialogs;
    std::vector<ShellExecuteRequest> m_shellRequests;
    std::vector<std::string> m_dialogCaptions;
    MessageBoxHook m_messageBoxHook;
    FileDialogHook m_fileDialogHook;
    ShellExecuteHook m_shellHook;
    DialogHook m_dialogHook;
};
