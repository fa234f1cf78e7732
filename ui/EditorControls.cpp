#include "ui/EditorControls.h"

#include "platform/windows/CComboBox.h"
#include "platform/windows/CMenu.h"
#include "res/StringTable.h"
#include "ui/EditorView.h"
#include "ui/model/EditorCommandState.h"

void EditorControls::Show(const EditorCommandState& state) {
    CWnd& window = m_view.Window();
    if (!::IsWindow(window.GetSafeHwnd())) return;
    if (CMenu* menu = window.GetMenu()) {
        for (const auto& [id, enabled] : state.commands)
            menu->EnableMenuItem(id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
        for (const auto& [id, checked] : state.checks)
            menu->CheckMenuItem(id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
    if (CComboBox* combo = m_view.ModuleSelector()) combo->EnableWindow(state.moduleSelector ? TRUE : FALSE);
    if (CComboBox* combo = m_view.EntryCombo()) combo->EnableWindow(state.entrySelector ? TRUE : FALSE);
    if (window.GetWindowText() != state.mainTitle) window.SetWindowText(state.mainTitle);
}

int EditorControls::Message(const std::string& text, UINT type, const char* caption) {
    return m_view.Window().MessageBox(text.c_str(), caption, type);
}

void EditorControls::ShowIncompatible() {
    Message(kIncompatibleText);
}
