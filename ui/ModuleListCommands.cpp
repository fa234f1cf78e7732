#include "ui/ModuleListCommands.h"

#include "document/ModuleList.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CFileDialog.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "table/CTableModule.h"
#include "ui/EditorState.h"
#include "ui/EditorView.h"

namespace {

constexpr char kModuleFilter[] = "Quillmoor modules (*.qlm)|*.qlm|";

} // namespace

void ModuleListCommands::AddModuleFromFile(const std::string& path) {
    ShowAdded(ModuleList(m_state.modules).AddModuleFromFile(path));
}

void ModuleListCommands::ShowAdded(const ModuleList::AddResult& added) {
    if (!added) {
        if (!added.Error().NotOpened())
            m_controls.Message(ModuleErrorText(added.Error().fileName, added.Error()),
                               MB_OK | MB_ICONEXCLAMATION, "Module Error");
    } else if (added.Value() != nullptr) {
        if (CComboBox* combo = m_controls.ModuleSelector()) combo->AddString(added.Value()->m_strName);
    }
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

void ModuleListCommands::TestCompatibility() {
    CTableModule& module = *m_state.CurrentModule();
    RomDocument& document = m_state.document;
    if (module.SelectEntry(0, document.Data(), document.Length())) {
        document.SetCompatible(true);
        m_view.ShowEntry(module);
        return;
    }
    document.SetCompatible(false);
    m_controls.ShowIncompatible();
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
    m_controls.EnableCommand(ID_FILE_APPLY, false);
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
