#include "ModalScript.h"

#include <gtest/gtest.h>

#include "platform/windows/CDialog.h"
#include "platform/windows/UnscriptedModal.h"

namespace {
template <typename T>
std::optional<T> Pop(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}
} // namespace

ModalScript::ModalScript()
    : m_messageBoxHook([this](const MessageBoxRequest& r) {
          m_messageBoxes.push_back(r);
          if (auto answer = Pop(m_messageBoxAnswers)) return *answer;
          ADD_FAILURE() << "unexpected message box: \"" << r.text << "\" caption \"" << r.caption << "\"";
          return IDCANCEL;
      }),
      m_fileDialogHook([this](const FileDialogRequest& r) -> FileDialogAnswer {
          m_fileDialogs.push_back(r);
          if (auto answer = Pop(m_fileDialogAnswers)) return *answer;
          ADD_FAILURE() << "unexpected file dialog with filter \"" << r.filter << "\"";
          return std::nullopt;
      }),
      m_shellHook([this](const ShellExecuteRequest& r) {
          m_shellRequests.push_back(r);
          if (auto answer = Pop(m_shellAnswers)) return *answer;
          ADD_FAILURE() << "unexpected request to open \"" << r.file << "\"";
          return false;
      }),
      m_dialogHook([this](const DialogRequest& r) -> INT_PTR {
          m_dialogCaptions.push_back(r.dialog->GetWindowText());
          if (auto answer = Pop(m_dialogAnswers)) return *answer;
          ADD_FAILURE() << "unexpected modal dialog \"" << r.dialog->GetWindowText() << "\"";
          return IDCANCEL;
      }) {}

ModalScript::~ModalScript() = default;

void ModalScript::AnswerMessageBox(int button) {
    m_messageBoxAnswers.push_back(button);
}

void ModalScript::AnswerFileDialog(std::vector<std::string> paths) {
    m_fileDialogAnswers.emplace_back(std::move(paths));
}

void ModalScript::CancelFileDialog() {
    m_fileDialogAnswers.emplace_back(std::nullopt);
}

void ModalScript::AnswerShellExecute(bool success) {
    m_shellAnswers.push_back(success);
}

void ModalScript::AnswerDialog(INT_PTR result) {
    m_dialogAnswers.push_back(result);
}

int ModalScript::UnusedAnswers() const {
    return static_cast<int>(m_messageBoxAnswers.size() + m_fileDialogAnswers.size() + m_shellAnswers.size() +
                            m_dialogAnswers.size());
}

void ModalScript::InstallStrictReporter() {
    UnscriptedModal::SetReporter(
            [](const std::string& description) { ADD_FAILURE() << "unscripted modal: " << description; });
}
