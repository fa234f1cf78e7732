#include "ui/ModuleListCommands.h"

#include "document/ModuleList.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CFileDialog.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "table/CTableModule.h"
#include "ui/EditorState.h"
#include "ui/EditorView.h"
#include "ui/TableFileCommands.h"

namespace {

constexpr char kModuleFilter[] = "Quillmoor modules (*.qlm)|*.qlm|";

} // namespace

void ModuleListCommands::AddModuleFromFile(const std::string& path) {
    ShowAdded(ModuleList(m_state.modules).AddModuleFromFile(path));
}

void ModuleListCommands::AddModulesFromFiles(const std::vector<std::string>& paths) {
    const size_t before = m_state.modules.size();
    const ModuleList::Failures failures = ModuleList(m_state.modules).AddModulesFromFiles(paths);
    if (CComboBox* combo = m_controls.ModuleSelector())
        for (size_t i = before; i < m_state.modules.size(); ++i)
            combo->AddString(m_state.modules[i]->m_strName);
    if (!failures.Empty()) m_controls.Message(failures.Text(), MB_OK | MB_ICONEXCLAMATION, "Module Error");
}

void ModuleListCommands::ShowAdded(const ModuleList::AddResult& added) {
    if (!added) {
        if (!added.Error().NotOpened()) ShowLoadFailure(added.Error());
    } else if (added.Value() != nullptr) {
        if (CComboBox* combo = m_controls.ModuleSelector()) combo->AddString(added.Value()->m_strName);
    }
}

void ModuleListCommands::ShowLoadFailure(const ModuleFileError& error) {
    // A listed module whose file has gone since says so in the same box.
    const std::string text = error.NotOpened() ? CannotText(FileAction::Open, error.fileName, error.reason)
                                               : ModuleErrorText(error.fileName, error);
    m_controls.Message(text, MB_OK | MB_ICONEXCLAMATION, "Module Error");
}

void ModuleListCommands::LoadStartupModule(const std::string& path) {
    AddModuleFromFile(path);
    SelectFirstIfNoneCurrent();
}

void ModuleListCommands::LoadModules() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, kModuleFilter);
    if (dialog.DoModal() != IDOK) return;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;) {
        const std::string path = dialog.GetNextPathName(pos);
        // Modules added earlier in this same choice count as listed too.
        ShowAdded(ModuleList(m_state.modules).AddUnlisted(path));
    }
    SelectFirstIfNoneCurrent();
}

void ModuleListCommands::SelectFirstModule() {
    m_controls.EnableModuleSelector(true);
    if (CComboBox* combo = m_controls.ModuleSelector()) combo->SetCurSel(0);
    m_state.currentModule = 0;
    BuildForm();
    if (m_state.document.IsOpen()) MeetOpenRom();
    m_controls.EnableCommand(ID_MODULES_UNLOAD, true);
    m_controls.EnableCommand(ID_MODULES_RELOAD, true);
}

void ModuleListCommands::MeetOpenRom() {
    m_controls.EnableEntrySelector(true);
    m_view.SelectEntry(0);
    TestCompatibility();
    // Enabled whatever the test said: each refuses on its own while the
    // module does not fit.
    for (UINT id : {UINT{ID_FILE_APPLY}, UINT{ID_FILE_SAVEROM}, UINT{ID_MODULES_LINK}})
        m_controls.EnableCommand(id, true);
}

void ModuleListCommands::UnloadModule() {
    if (m_state.currentModule < 0) return;
    const int removed = m_state.currentModule;
    // The form describes the module, so it goes first.
    DestroyForm();
    const int next = ModuleList(m_state.modules).RemoveAt(removed);
    if (CComboBox* combo = m_controls.ModuleSelector()) combo->DeleteString(static_cast<UINT>(removed));
    if (next == -1) {
        ShowListEmptied();
        return;
    }
    m_state.currentModule = next;
    if (CComboBox* combo = m_controls.ModuleSelector()) combo->SetCurSel(m_state.currentModule);
    BuildForm();
    if (m_state.document.IsOpen()) TestCompatibility();
}

void ModuleListCommands::ModuleSelChange() {
    CComboBox* combo = m_controls.ModuleSelector();
    const int sel = combo != nullptr ? combo->GetCurSel() : -1;
    if (sel < 0 || sel >= static_cast<int>(m_state.modules.size())) return;
    DestroyForm();
    m_state.currentModule = sel;
    BuildForm();
    if (m_state.document.IsOpen()) {
        m_view.SelectEntry(0);
        TestCompatibility();
    }
}

void ModuleListCommands::TestCompatibility(int entry) {
    CTableModule& module = *m_state.CurrentModule();
    RomDocument& document = m_state.document;
    // Any entry tells as well as entry 0: SelectEntry refuses an image the
    // whole table does not fit in, whichever entry is asked for.
    const bool fits = module.SelectEntry(entry, document.Data(), document.Length());
    document.SetCompatible(fits);
    TableFileCommands::ShowEnabled(m_controls, m_state);
    if (fits)
        m_view.ShowEntry(module);
    else
        m_controls.ShowIncompatible();
}

void ModuleListCommands::ReloadModules() {
    const CTableModule* current = m_state.CurrentModule();
    if (current == nullptr) return;
    const int oldCurrent = m_state.currentModule;
    const int entry = current->m_nCurEntry;
    // The form describes the old modules, which the reload destroys.
    DestroyForm();
    ModuleList list(m_state.modules);
    const ModuleList::ReloadOutcome outcome = list.Reload();
    // The old index may name another module now, or none: the state is
    // right again before any message box runs its event loop.
    m_state.currentModule = ModuleList::Successor(outcome, oldCurrent, list.Count());
    RefillModuleSelector();
    for (const ModuleFileError& failure : outcome.failures)
        ShowLoadFailure(failure);
    if (list.Empty()) {
        ShowListEmptied();
        return;
    }
    const bool kept = outcome.newIndex[static_cast<std::size_t>(oldCurrent)] >= 0;
    if (CComboBox* combo = m_controls.ModuleSelector()) combo->SetCurSel(m_state.currentModule);
    BuildForm();
    if (!m_state.document.IsOpen()) return;
    const int shown = kept && entry < m_state.CurrentModule()->m_nEntryCount ? entry : 0;
    m_view.SelectEntry(shown);
    TestCompatibility(shown);
}

void ModuleListCommands::RefillModuleSelector() {
    CComboBox* combo = m_controls.ModuleSelector();
    if (combo == nullptr) return;
    combo->ResetContent();
    for (const auto& module : m_state.modules)
        combo->AddString(module->m_strName);
}

void ModuleListCommands::Clear() {
    // No module is built between removals, so a module about to go is never
    // tested against the new image and never shows a message.
    DestroyForm();
    m_state.modules.clear();
    if (CComboBox* combo = m_controls.ModuleSelector()) combo->ResetContent();
    ShowListEmptied();
}

void ModuleListCommands::SelectFirstIfNoneCurrent() {
    if (m_state.currentModule == -1 && !m_state.modules.empty()) SelectFirstModule();
}

void ModuleListCommands::ShowListEmptied() {
    // Save Rom and Link Rom To Modules keep their state, and the document
    // its compatibility verdict: both still run with no module.
    m_state.currentModule = -1;
    m_controls.EnableCommand(ID_MODULES_UNLOAD, false);
    m_controls.EnableCommand(ID_MODULES_RELOAD, false);
    m_controls.EnableCommand(ID_FILE_APPLY, false);
    TableFileCommands::ShowEnabled(m_controls, m_state);
    m_controls.EnableModuleSelector(false);
    m_controls.EnableEntrySelector(false);
}

void ModuleListCommands::BuildForm() {
    if (const CTableModule* module = m_state.CurrentModule())
        m_view.BuildForm(*module, m_state.document.IsOpen());
}

void ModuleListCommands::DestroyForm() {
    m_view.DestroyForm(m_state.currentModule != -1);
}
