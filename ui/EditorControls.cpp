#include "ui/EditorControls.h"

#include "platform/windows/CComboBox.h"
#include "platform/windows/CMenu.h"
#include "res/resource.h"
#include "ui/CEditorDlg.h"

void EditorControls::EnableCommand(UINT nID, bool bEnable) {
    if (CMenu* pMenu = m_dlg.GetMenu())
        pMenu->EnableMenuItem(nID, MF_BYCOMMAND | (bEnable ? MF_ENABLED : MF_GRAYED));
}

void EditorControls::EnableModuleSelector(bool bEnable) {
    if (CComboBox* pCombo = ModuleSelector()) pCombo->EnableWindow(bEnable ? TRUE : FALSE);
}

void EditorControls::EnableEntrySelector(bool bEnable) {
    if (m_dlg.m_pEntryCombo) m_dlg.m_pEntryCombo->EnableWindow(bEnable ? TRUE : FALSE);
}

CComboBox* EditorControls::ModuleSelector() {
    return dynamic_cast<CComboBox*>(m_dlg.GetDlgItem(IDC_MODULE_COMBO));
}

void EditorControls::ShowDocumentTitle() {
    std::string title = "Quillmoor - " + m_dlg.m_strRomName;
    if (m_dlg.m_bModified) title += " *";
    m_dlg.SetWindowText(title);
}

void EditorControls::ShowNoDocumentTitle() {
    m_dlg.SetWindowText("Quillmoor - No file open");
}

int EditorControls::Message(const std::string& text, UINT nType, const char* caption) {
    return m_dlg.MessageBox(text.c_str(), caption, nType);
}

void EditorControls::ShowIncompatible() {
    Message("This module and this rom are not compatible.");
}
