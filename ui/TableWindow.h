#pragma once

#include <cstdint>
#include <memory>

#include "platform/windows/CEdit.h"
#include "platform/windows/CFrameWnd.h"
#include "platform/windows/CStatic.h"
#include "platform/windows/CTableCtrl.h"
#include "ui/EditorView.h"

class EntryTable;
class TableProvider;
struct EditorState;

// The table window: every entry of the current module at once, a filter
// box above. It follows the form through the view's observers and the
// image through the document's listeners; the dialog only opens it. While
// hidden it does no work, and opening it builds it afresh.
class TableWindow : public CFrameWnd {
public:
    TableWindow(EditorState& state, EditorView& view);
    ~TableWindow() override;

    // Creates the window the first time, shows it in front, in step with
    // the form.
    void Open();

    CTableCtrl& Table() { return m_table; }
    CEdit& FilterBox() { return m_filter; }
    // What the control asks, for benchmarks that act as the control would.
    TableProvider& Provider();

protected:
    void OnSize(UINT nType, int cx, int cy) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The close box hides: the next Open is quick and the window keeps its place.
    void OnClose() override;

private:
    bool Following();
    void Create();
    void ShowTitle();
    void OnFormChange(EditorView::FormChange change);

    EditorState& m_state;
    // The editor's window, which runs undo and redo for this one.
    CWnd& m_editor;
    CStatic m_filterLabel;
    CEdit m_filter;
    CTableCtrl m_table;
    std::unique_ptr<EntryTable> m_entries;
};
