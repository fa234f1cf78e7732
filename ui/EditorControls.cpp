#include "ui/EditorControls.h"

#include "document/RomDocument.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CMenu.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "ui/EditorView.h"

void EditorControls::EnableCommand(UINT id, bool enable) {
    if (CMenu* menu = m_view.Window().GetMenu())
        menu->EnableMenuItem(id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void EditorControls::EnableModuleSelector(bool enable) {
    if (CComboBox* combo = ModuleSelector()) combo->EnableWindow(enable ? TRUE : FALSE);
}

void EditorControls::EnableEntrySelector(bool enable) {
    if (CComboBox* combo = m_view.EntryCombo()) combo->EnableWindow(enable ? TRUE : FALSE);
}

CComboBox* EditorControls::ModuleSelector() {
    return dynamic_cast<CComboBox*>(m_view.Window().GetDlgItem(IDC_MODULE_COMBO));
}

void EditorControls::ShowDocumentTitle(const RomDocument& document) {
    m_view.Window().SetWindowText(DocumentTitle(document.Name(), document.IsModified()));
}

void EditorControls::ShowNoDocumentTitle() {
    m_view.Window().SetWindowText(kTitleNoFile);
}

void EditorControls::ShowUndoState(const RomDocument& document) {
    EnableCommand(ID_EDIT_UNDO, document.CanUndo());
    EnableCommand(ID_EDIT_REDO, document.CanRedo());
}

int EditorControls::Message(const std::string& text, UINT type, const char* caption) {
    return m_view.Window().MessageBox(text.c_str(), caption, type);
}

void EditorControls::ShowIncompatible() {
    Message(kIncompatibleText);
}
