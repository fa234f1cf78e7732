#pragma once

#include <string>
#include <vector>

// How a cell is edited: not at all, as a line of text, or by picking one of
// a list of items.
struct CellEditor {
    enum class Kind {
        None,
        Text,
        List
    };
    Kind kind = Kind::None;
    // Text: what the edit box starts with; at most maxLength bytes may be
    // typed (0: no limit).
    std::string text;
    int maxLength = 0;
    // List: the items, and the one picked now (-1: none).
    std::vector<std::string> items;
    int current = -1;
};

// What a table control shows, asked for one cell at a time while the cell
// is on the screen, so a table of any size costs only what is visible. It
// knows no toolkit; the control calls it and never keeps what it answers.
class TableProvider {
public:
    virtual ~TableProvider() = default;

    virtual int RowCount() const = 0;
    virtual int ColumnCount() const = 0;
    virtual std::string HeaderText(int column) const = 0;
    virtual std::string CellText(int row, int column) const = 0;
    // Whether the column's cells are bytes, one character each (as an edit
    // box shows them), rather than names shown as UTF-8 where valid.
    virtual bool ColumnIsBytes(int column) const = 0;
    // Asked often (every paint): answer cheaply.
    virtual bool CanEdit(int column) const = 0;
    virtual CellEditor EditorFor(int row, int column) const = 0;
    // Whether the cell differs from what it is compared with (tinted).
    virtual bool CellChanged(int, int) const { return false; }

    // The user finished an edit. False refuses it; the cell then shows what
    // the provider says, as before.
    virtual bool CommitText(int row, int column, const std::string& text) = 0;
    virtual bool CommitItem(int row, int column, int item) = 0;

    // The user moved to another row (never called for the control's own
    // SetCurRow).
    virtual void OnCurrentRowChanged(int row) = 0;
    virtual void OnHeaderClicked(int column) = 0;
};
