#pragma once

#include <string>

#include "platform/windows/NativeWindow.h"

class QTableView;
class TableModel;
class TableProvider;

// The grid behind CTableCtrl: a QTableView over a model that asks the
// provider for each cell as the view paints it, and a delegate that opens
// the provider's editors and hands their result back to it.
class NativeTable : public NativeWindow {
public:
    NativeTable(CWnd* owner, DWORD style, UINT id, QWidget* parent);
    ~NativeTable() override;

    void SetProvider(TableProvider* provider);
    void Reset();
    void Refresh();
    int CurrentRow() const;
    void SetCurrentRow(int row);
    void SetSortIndicator(int column, bool ascending);
    int RowsPerPage() const;
    void ScrollRows(int rows);

    std::string ShownText(int row, int column) const;
    std::string ShownHeader(int column) const;
    int RowCount() const;
    int ColumnCount() const;
    bool IsEditing() const;

    QTableView* View() const;

private:
    void FitFirstColumn();

    TableModel* m_model;
    // Set while the program moves the current row, so the provider hears
    // only of the user's moves.
    bool m_quiet = false;
};
