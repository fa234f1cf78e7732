#include "platform/windows/CellGrid.h"

void CellGrid::focusInEvent(QFocusEvent* event) {
    m_focusing = true;
    QTableView::focusInEvent(event);
    m_focusing = false;
}
