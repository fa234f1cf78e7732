#include "ui/ModuleListCommands.h"

#include "document/ModuleList.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CFileDialog.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "ui/EditorView.h"
#include "ui/model/EditorState.h"

void ModuleListCommands::AddModuleFromFile(const std::string& path) {
    ShowAdded(ModuleList(m_state.modules).AddModuleFromFile(path));
}

void ModuleListCommands::AddModulesFromFiles(const std::vector<std::string>& paths) {
    const ModuleList::Failures failures = ModuleList(m_state.modules).AddModulesFromFiles(paths);
    m_state.ModulesChanged();
    if (!failures.Empty())
        m_controls.Message(failures.Text(), MB_OK | MB_ICONEXCLAMATION, kModuleErrorCaption);
}

void ModuleListCommands::ShowAdded(const ModuleList::AddResult& added) {
    if (!added) {
        if (!added.Error().NotOpened()) ShowLoadFailure(added.Error());
    } else if (added.Value() != nullptr) {
        m_state.ModulesChanged();
    }
}

void ModuleListCommands::ShowLoadFailure(const ModuleFileError& error) {
    // A listed module whose file has gone since says so in the same box.
    const std::string text = error.NotOpened() ? CannotText(FileAction::Open, error.fileName, error.reason)
                                               : ModuleErrorText(error.fileName, error);
    m_controls.Message(text, MB_OK | MB_ICONEXCLAMATION, kModuleErrorCaption);
}

void ModuleListCommands::LoadStartupModule(const std::string& path) {
    AddModuleFromFile(path);
    SelectFirstIfNoneCurrent();
}

void ModuleListCommands::LoadModules() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, kModuleFileFilter);
    if (dialog.DoModal() != IDOK) return;
    std::vector<std::string> paths;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;)
        paths.push_back(dialog.GetNextPathName(pos));
    LoadModuleFiles(paths);
}

void ModuleListCommands::LoadModuleFiles(const std::vector<std::string>& paths) {
    // Modules added earlier in this same choice count as listed too.
    for (const std::string& path : paths)
        ShowAdded(ModuleList(m_state.modules).AddUnlisted(path));
    SelectFirstIfNoneCurrent();
}

void ModuleListCommands::SelectFirstModule() {
    MakeCurrent(0);
}

void ModuleListCommands::MeetOpenRom(int entry) {
    MakeCurrent(m_state.CurrentModuleIndex(), entry);
}

void ModuleListCommands::MakeCurrent(int index, int entry) {
    if (!m_state.SelectModule(index, entry)) m_controls.ShowIncompatible();
}

void ModuleListCommands::UnloadModule() {
    const int removed = m_state.CurrentModuleIndex();
    if (removed < 0) return;
    // Nothing may describe the module while it goes.
    m_state.SelectModule(-1);
    const int next = ModuleList(m_state.modules).RemoveAt(removed);
    m_state.ModulesChanged();
    if (next != -1) MakeCurrent(next);
}

void ModuleListCommands::ModuleSelChange() {
    CComboBox* combo = m_view.ModuleSelector();
    const int sel = combo != nullptr ? combo->GetCurSel() : -1;
    if (sel < 0 || sel >= static_cast<int>(m_state.modules.size())) return;
    MakeCurrent(sel);
}

void ModuleListCommands::ReloadModules() {
    const int oldCurrent = m_state.CurrentModuleIndex();
    if (oldCurrent < 0) return;
    const int entry = m_state.CurrentEntry();
    // The reload destroys the old modules: nothing may describe them then,
    // nor while its message boxes run their event loops.
    m_state.SelectModule(-1);
    ModuleList list(m_state.modules);
    const ModuleList::ReloadOutcome outcome = list.Reload();
    m_state.ModulesChanged();
    for (const ModuleFileError& failure : outcome.failures)
        ShowLoadFailure(failure);
    if (list.Empty()) return;
    const bool kept = outcome.newIndex[static_cast<std::size_t>(oldCurrent)] >= 0;
    MakeCurrent(ModuleList::Successor(outcome, oldCurrent, list.Count()), kept ? entry : 0);
}

void ModuleListCommands::Clear() {
    // No module is made current between removals, so a module about to go
    // is never tested against the new image and never shows a message.
    m_state.SelectModule(-1);
    m_state.modules.clear();
    m_state.ModulesChanged();
}

void ModuleListCommands::SelectFirstIfNoneCurrent() {
    if (m_state.CurrentModuleIndex() == -1 && !m_state.modules.empty()) SelectFirstModule();
}
