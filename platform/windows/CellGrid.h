#pragma once

#include <QTableView>

// The grid of a table window. Qt makes the first cell current when the grid
// gains the focus without one: that is no move of the user's, and the
// window asks InFocusChange before reporting a row change.
class CellGrid : public QTableView {
public:
    using QTableView::QTableView;
    bool InFocusChange() const { return m_focusing; }

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    bool m_focusing = false;
};
