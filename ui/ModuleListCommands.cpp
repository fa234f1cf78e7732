#include "ui/ModuleListCommands.h"

#include "document/ModuleList.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CFileDialog.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "table/CTableModule.h"
#include "ui/CEditorDlg.h"

namespace {

constexpr char kModuleFilter[] = "Quillmoor modules (*.qlm)|*.qlm|";

} // namespace

void ModuleListCommands::AddModuleFromFile(const std::string& path) {
    ShowAdded(ModuleList(m_dlg.m_modules).AddModuleFromFile(path));
}

void ModuleListCommands::ShowAdded(const ModuleList::AddResult& added) {
    if (!added) {
        if (!added.Error().NotOpened())
            m_controls.Message(ModuleErrorText(added.Error().fileName, added.Error().error),
                               MB_OK | MB_ICONEXCLAMATION, "Module Error");
    } else if (added.Value() != nullptr) {
        if (CComboBox* combo = m_controls.ModuleSelector()) combo->AddString(added.Value()->m_strName);
    }
}

void ModuleListCommands::LoadStartupModule() {
    AddModuleFromFile(m_dlg.m_lpszStartupModule);
    SelectFirstIfNoneCurrent();
}

void ModuleListCommands::LoadModules() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, kModuleFilter);
    if (dialog.DoModal() != IDOK) return;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;) {
        const std::string path = dialog.GetNextPathName(pos);
        // Modules added earlier in this same choice count as listed too.
        ShowAdded(ModuleList(m_dlg.m_modules).AddUnlisted(path));
    }
    SelectFirstIfNoneCurrent();
}

void ModuleListCommands::SelectFirstModule() {
    m_controls.EnableModuleSelector(true);
    if (CComboBox* combo = m_controls.ModuleSelector()) combo->SetCurSel(0);
    m_dlg.m_nCurModule = 0;
    m_dlg.BuildForm(0);
    if (m_dlg.m_bRomOpen) MeetOpenRom();
    m_controls.EnableCommand(ID_MODULES_UNLOAD, true);
}

void ModuleListCommands::MeetOpenRom() {
    m_controls.EnableEntrySelector(true);
    m_dlg.m_pEntryCombo->SetCurSel(0);
    TestCompatibility();
    // Enabled whatever the test said: each refuses on its own while the
    // module does not fit.
    for (UINT id : {UINT{ID_FILE_APPLY}, UINT{ID_FILE_SAVEROM}, UINT{ID_MODULES_LINK}})
        m_controls.EnableCommand(id, true);
}

void ModuleListCommands::UnloadModule() {
    if (m_dlg.m_nCurModule < 0 || !m_dlg.PromptApply()) return;
    const int removed = m_dlg.m_nCurModule;
    // The form describes the module, so it goes first.
    m_dlg.DestroyForm();
    const int next = ModuleList(m_dlg.m_modules).RemoveAt(removed);
    if (CComboBox* combo = m_controls.ModuleSelector()) combo->DeleteString(static_cast<UINT>(removed));
    if (next == -1) {
        ShowListEmptied();
        return;
    }
    m_dlg.m_nCurModule = next;
    if (CComboBox* combo = m_controls.ModuleSelector()) combo->SetCurSel(m_dlg.m_nCurModule);
    m_dlg.BuildForm(m_dlg.m_nCurModule);
    if (m_dlg.m_bRomOpen) TestCompatibility();
}

void ModuleListCommands::ModuleSelChange() {
    CComboBox* combo = m_controls.ModuleSelector();
    const int sel = combo != nullptr ? combo->GetCurSel() : -1;
    if (sel < 0 || sel >= static_cast<int>(m_dlg.m_modules.size())) return;
    m_dlg.DestroyForm();
    m_dlg.m_nCurModule = sel;
    m_dlg.BuildForm(sel);
    if (m_dlg.m_bRomOpen) {
        m_dlg.m_pEntryCombo->SetCurSel(0);
        TestCompatibility();
    }
}

void ModuleListCommands::TestCompatibility() {
    CTableModule& module = *m_dlg.m_modules[static_cast<size_t>(m_dlg.m_nCurModule)];
    if (module.SelectEntry(0, m_dlg.m_pRom.get(), m_dlg.m_nRomLength)) {
        m_dlg.m_bCompatible = true;
        m_dlg.ShowEntry();
        return;
    }
    m_dlg.m_bCompatible = false;
    m_controls.ShowIncompatible();
}

void ModuleListCommands::Clear() {
    // No module is built between removals, so a module about to go is never
    // tested against the new image and never shows a message.
    m_dlg.DestroyForm();
    m_dlg.m_modules.clear();
    if (CComboBox* combo = m_controls.ModuleSelector()) combo->ResetContent();
    ShowListEmptied();
}

void ModuleListCommands::SelectFirstIfNoneCurrent() {
    if (m_dlg.m_nCurModule == -1 && !m_dlg.m_modules.empty()) SelectFirstModule();
}

void ModuleListCommands::ShowListEmptied() {
    // Save Rom and Link Rom To Modules keep their state, and m_bCompatible
    // its value: both still run with no module.
    m_dlg.m_nCurModule = -1;
    m_controls.EnableCommand(ID_MODULES_UNLOAD, false);
    m_controls.EnableCommand(ID_FILE_APPLY, false);
    m_controls.EnableModuleSelector(false);
    m_controls.EnableEntrySelector(false);
}
