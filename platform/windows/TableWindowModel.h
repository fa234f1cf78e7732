#pragma once

#include <string>

#include "platform/windows/TableProvider.h"
#include "platform/windows/WindowModel.h"

// What a table window reads: a filter box with its label above a grid of
// the provider's cells.
class TableWindowModel : public WindowModel, public TableProvider {
public:
    virtual std::string FilterLabel() const = 0;
    // The row to show current, or -1.
    virtual int CurrentRow() const = 0;
    // The column whose header shows the sort arrow, or -1.
    virtual int SortColumn() const = 0;
    virtual bool SortAscending() const = 0;
    virtual void OnFilterChanged(const std::string& text) = 0;
    // While comparing, a check box beside the filter keeps only the rows
    // with a changed cell.
    virtual bool Comparing() const { return false; }
    virtual std::string ChangedOnlyLabel() const { return {}; }
    virtual void OnChangedOnly(bool) {}
    // After the view heard FilterRunning, it calls this every few
    // milliseconds until it returns false: the rows a filter found meanwhile
    // come as RowsAppended.
    virtual bool PollFilter() { return false; }
};

class TableWindowView : public WindowView {
public:
    // Rows or columns changed: every cell, the header, the sort arrow and
    // the current row are asked again. Column widths the user set stay.
    virtual void RowsChanged() = 0;
    // The same rows and columns with other texts: visible cells are asked
    // again.
    virtual void CellsChanged() = 0;
    // Asks CurrentRow again and scrolls it into view, without reporting a
    // row change back.
    virtual void CurrentRowChanged() = 0;
    // Rows [first, first + count) were added after the others.
    virtual void RowsAppended(int, int) { RowsChanged(); }
    // A filter searches on other threads: poll the model until it is done.
    virtual void FilterRunning() {}
};
