#pragma once

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
    TableWindow& Table() { return *m_dlg.m_table; }
    BytesWindow& Bytes() { return *m_dlg.m_bytes; }

private:
    CEditorDlg& m_dlg;
};
