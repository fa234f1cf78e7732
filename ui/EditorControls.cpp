#include "ui/EditorControls.h"

#include "platform/windows/CComboBox.h"
#include "platform/windows/CMenu.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "ui/CEditorDlg.h"

void EditorControls::EnableCommand(UINT id, bool enable) {
    if (CMenu* menu = m_dlg.GetMenu())
        menu->EnableMenuItem(id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void EditorControls::EnableModuleSelector(bool enable) {
    if (CComboBox* combo = ModuleSelector()) combo->EnableWindow(enable ? TRUE : FALSE);
}

void EditorControls::EnableEntrySelector(bool enable) {
    if (m_dlg.m_pEntryCombo) m_dlg.m_pEntryCombo->EnableWindow(enable ? TRUE : FALSE);
}

CComboBox* EditorControls::ModuleSelector() {
    return dynamic_cast<CComboBox*>(m_dlg.GetDlgItem(IDC_MODULE_COMBO));
}

void EditorControls::ShowDocumentTitle() {
    m_dlg.SetWindowText(DocumentTitle(m_dlg.m_strRomName, m_dlg.m_bModified));
}

void EditorControls::ShowNoDocumentTitle() {
    m_dlg.SetWindowText(kTitleNoFile);
}

int EditorControls::Message(const std::string& text, UINT type, const char* caption) {
    return m_dlg.MessageBox(text.c_str(), caption, type);
}

void EditorControls::ShowIncompatible() {
    Message(kIncompatibleText);
}
