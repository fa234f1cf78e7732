#include "ui/ModuleListCommands.h"

#include <algorithm>

#include "document/ModuleList.h"
#include "platform/CComboBox.h"
#include "platform/CFileDialog.h"
#include "res/resource.h"
#include "table/CTableModule.h"
#include "ui/CEditorDlg.h"

namespace {

constexpr char kModuleFilter[] = "Quillmoor modules (*.qlm)|*.qlm|";

} // namespace

void ModuleListCommands::AddModuleFromFile(const std::string& path)
{
    ModuleList::Loaded loaded = ModuleList::LoadFile(path);
    if (loaded.result.status == ModuleList::AddStatus::LoadFailed)
    {
        m_controls.Message(ModuleList::LoadErrorText(loaded.result), MB_OK | MB_ICONEXCLAMATION,
                           "Module Error");
        return;
    }
    if (!loaded.module)
        return;
    if (CComboBox* pCombo = m_controls.ModuleSelector())
        pCombo->AddString(loaded.module->m_strName);
    m_dlg.m_modules.push_back(std::move(loaded.module));
}

void ModuleListCommands::LoadStartupModule()
{
    AddModuleFromFile(m_dlg.m_lpszStartupModule);
    SelectFirstIfNoneCurrent();
}

void ModuleListCommands::LoadModules()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, kModuleFilter);
    if (dialog.DoModal() != IDOK)
        return;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;)
    {
        const std::string path = dialog.GetNextPathName(pos);
        // Modules added earlier in this same choice count as listed too.
        if (!IsListed(path))
            AddModuleFromFile(path);
    }
    SelectFirstIfNoneCurrent();
}

void ModuleListCommands::SelectFirstModule()
{
    m_controls.EnableModuleSelector(true);
    if (CComboBox* pCombo = m_controls.ModuleSelector())
        pCombo->SetCurSel(0);
    m_dlg.m_nCurModule = 0;
    m_dlg.BuildForm(0);
    if (m_dlg.m_bRomOpen)
    {
        m_controls.EnableEntrySelector(true);
        m_dlg.m_pEntryCombo->SetCurSel(0);
        TestCompatibility();
        // Enabled whatever the test said: each refuses on its own while the
        // module does not fit.
        m_controls.EnableCommand(ID_FILE_APPLY, true);
        m_controls.EnableCommand(ID_FILE_SAVEROM, true);
        m_controls.EnableCommand(ID_MODULES_LINK, true);
    }
    m_controls.EnableCommand(ID_MODULES_UNLOAD, true);
}

void ModuleListCommands::UnloadModule()
{
    if (m_dlg.m_nCurModule < 0 || !m_dlg.PromptApply())
        return;
    const int removed = m_dlg.m_nCurModule;
    // The form describes the module, so it goes first.
    m_dlg.DestroyForm();
    m_dlg.m_modules.erase(m_dlg.m_modules.begin() + removed);
    if (CComboBox* pCombo = m_controls.ModuleSelector())
        pCombo->DeleteString(static_cast<UINT>(removed));
    const int count = static_cast<int>(m_dlg.m_modules.size());
    if (count == 0)
    {
        ShowListEmptied();
        return;
    }
    // The module that followed moves into the gap; after the last, the new last.
    m_dlg.m_nCurModule = std::min(removed, count - 1);
    if (CComboBox* pCombo = m_controls.ModuleSelector())
        pCombo->SetCurSel(m_dlg.m_nCurModule);
    m_dlg.BuildForm(m_dlg.m_nCurModule);
    if (m_dlg.m_bRomOpen)
        TestCompatibility();
}

void ModuleListCommands::ModuleSelChange()
{
    CComboBox* pCombo = m_controls.ModuleSelector();
    const int sel = pCombo != nullptr ? pCombo->GetCurSel() : -1;
    if (sel < 0 || sel >= static_cast<int>(m_dlg.m_modules.size()))
        return;
    m_dlg.DestroyForm();
    m_dlg.m_nCurModule = sel;
    m_dlg.BuildForm(sel);
    if (m_dlg.m_bRomOpen)
    {
        m_dlg.m_pEntryCombo->SetCurSel(0);
        TestCompatibility();
    }
}

void ModuleListCommands::TestCompatibility()
{
    CTableModule& module = *m_dlg.m_modules[static_cast<size_t>(m_dlg.m_nCurModule)];
    if (module.SelectEntry(0, m_dlg.m_pRom.get(), m_dlg.m_nRomLength))
    {
        m_dlg.m_bCompatible = true;
        m_dlg.ShowEntry();
        return;
    }
    m_dlg.m_bCompatible = false;
    m_controls.ShowIncompatible();
}

void ModuleListCommands::Clear()
{
    // No module is built between removals, so a module about to go is never
    // tested against the new image and never shows a message.
    m_dlg.DestroyForm();
    m_dlg.m_modules.clear();
    if (CComboBox* pCombo = m_controls.ModuleSelector())
        pCombo->ResetContent();
    ShowListEmptied();
}

bool ModuleListCommands::IsListed(const std::string& path) const
{
    // Exact bytes: a path that differs only in letter case is another file.
    return std::any_of(m_dlg.m_modules.begin(), m_dlg.m_modules.end(),
                       [&](const auto& module) { return module->GetPath() == path; });
}

void ModuleListCommands::SelectFirstIfNoneCurrent()
{
    if (m_dlg.m_nCurModule == -1 && !m_dlg.m_modules.empty())
        SelectFirstModule();
}

void ModuleListCommands::ShowListEmptied()
{
    // Save Rom and Link Rom To Modules keep their state, and m_bCompatible
    // its value: both still run with no module.
    m_dlg.m_nCurModule = -1;
    m_controls.EnableCommand(ID_MODULES_UNLOAD, false);
    m_controls.EnableCommand(ID_FILE_APPLY, false);
    m_controls.EnableModuleSelector(false);
    m_controls.EnableEntrySelector(false);
}
