#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/windows/TableProvider.h"
#include "ui/TableRows.h"

class CTableCtrl;
class CTableModule;
class EditorView;
struct EditorState;

// The current module's entries as a table: the label, then what the form
// shows for every element, read from the image row by row as the control
// asks. An edit applies the entry as Apply Changes does, through the form's
// entry; a row the user moves to becomes the form's entry. The filter and
// the sort order only choose and order rows.
class EntryTable : public TableProvider {
public:
    EntryTable(EditorState& state, EditorView& view, CTableCtrl& table);

    // Follows the current module and the document afresh (new columns,
    // rows, the filter text applied); the sort order goes when the module
    // changed. Resets the control.
    void Rebuild(const std::string& filter);
    // Lets go of the module before it stops being current (it may be
    // deleted next): no rows, no columns until Rebuild.
    void Detach();
    // Whether Rebuild would show other rows or columns than now.
    bool IsStale() const;
    // Keeps the rows whose label or any cell contains the text, case
    // ignored; an empty text keeps all.
    void SetFilter(const std::string& text);
    // The row of the form's entry becomes current, without picking it again.
    void FollowFormEntry();

    int RowCount() const override;
    int ColumnCount() const override;
    std::string HeaderText(int column) const override;
    std::string CellText(int row, int column) const override;
    bool ColumnIsBytes(int column) const override;
    bool CanEdit(int column) const override;
    CellEditor EditorFor(int row, int column) const override;
    bool CommitText(int row, int column, const std::string& text) override;
    bool CommitItem(int row, int column, int item) override;
    void OnCurrentRowChanged(int row) override;
    void OnHeaderClicked(int column) override;

    // Whether the entry's label or any of its cells contains the filter text.
    bool Matches(int entry) const;

private:
    // The module whose entries can be read from the open image, or null.
    CTableModule* Readable() const;
    std::string EntryText(int entry, int column) const;
    bool ApplyElement(int entry, int element, const std::vector<uint8_t>& bytes);
    void ApplySortAndShow();

    EditorState& m_state;
    EditorView& m_view;
    CTableCtrl& m_table;
    TableRows m_rows;
    // What the rows were built from: null when no rows show.
    const CTableModule* m_module = nullptr;
    const CTableModule* m_columnsOf = nullptr;
    int m_columns = 0;
    std::string m_filter;
    int m_sortColumn = -1;
    bool m_sortAscending = true;
};
