#pragma once

#include <cstddef>
#include <string>

#include "platform/windows/CStatic.h"
#include "ui/CEditorDlg.h"
#include "ui/EditorView.h"
#include "ui/model/BytesWindow.h"
#include "ui/model/EditorState.h"
#include "ui/model/TableWindow.h"

class CComboBox;
class CFont;
class CScrollPanel;

// What tests and benchmarks may see of the editor's dialog beyond what a
// user sees: its state, its view's windows and the side windows'
// presenters. The dialog names it a friend; nothing in the program uses it.
class EditorDlgProbe {
public:
    explicit EditorDlgProbe(CEditorDlg& dlg) : m_dlg(dlg) {}

    EditorState& State() { return *m_dlg.m_state; }
    CScrollPanel* Panel() { return m_dlg.m_view->m_panel.get(); }
    CComboBox* EntryCombo() { return m_dlg.m_view->EntryCombo(); }
    CFont* Font() { return m_dlg.m_view->m_font.get(); }
    // The label of an element's row in the form; empty without one.
    std::string LabelText(int element) {
        const auto& labels = m_dlg.m_view->m_labelCtrls;
        const auto i = static_cast<std::size_t>(element);
        return i < labels.size() && labels[i] ? labels[i]->GetWindowText() : std::string();
    }
    TableWindow& Table() { return *m_dlg.m_table; }
    BytesWindow& Bytes() { return *m_dlg.m_bytes; }

private:
    CEditorDlg& m_dlg;
};
