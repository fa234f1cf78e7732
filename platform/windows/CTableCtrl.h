#pragma once

#include <string>

#include "platform/windows/CWnd.h"

class TableProvider;

// A grid of rows and columns whose cells come from a TableProvider on
// demand. Double-click, F2 or typing edits a cell with the editor the
// provider names; a click on a column header and a move to another row are
// passed to the provider. The provider outlives the control's use of it.
class CTableCtrl : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Null shows an empty grid.
    void SetProvider(TableProvider* provider);
    // The provider's rows or columns changed: everything is asked again and
    // no row is current.
    void Reset();
    // Cell texts changed (same rows and columns): visible cells are asked again.
    void Refresh();

    // -1 when no row is current.
    int GetCurRow() const;
    // Makes the row current and scrolls it into view, without telling the
    // provider; -1 clears the selection.
    void SetCurRow(int row);
    // Rows that fit in the visible area, and scrolling by whole rows
    // (positive: down); the view stops at either end.
    int GetCountPerPage() const;
    void Scroll(int rows);
    // The arrow in a header; column -1 shows none.
    void SetSortIndicator(int column, bool ascending);

    // What the grid shows, for checks.
    std::string GetItemText(int row, int column) const;
    std::string GetHeaderText(int column) const;
    int GetRowCount() const;
    int GetColumnCount() const;
    // Whether a cell editor is open.
    bool IsEditing() const;
};
