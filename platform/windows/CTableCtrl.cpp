#include "platform/windows/CTableCtrl.h"

#include <memory>

#include "platform/windows/NativeTable.h"

namespace {

NativeTable* TableOf(HWND hwnd) {
    return NativeWindow::IsLive(hwnd) ? dynamic_cast<NativeTable*>(hwnd) : nullptr;
}

} // namespace

BOOL CTableCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    if (::IsWindow(m_hWnd) || pParentWnd == nullptr || !::IsWindow(pParentWnd->GetSafeHwnd())) return FALSE;
    QWidget* parent = pParentWnd->GetSafeHwnd()->Client();
    if (parent == nullptr) return FALSE;
    AdoptNative(std::make_unique<NativeTable>(this, dwStyle, nID, parent));
    m_hWnd->Place(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
    m_hWnd->Widget()->setVisible((dwStyle & WS_VISIBLE) != 0);
    return TRUE;
}

void CTableCtrl::SetProvider(TableProvider* provider) {
    if (NativeTable* table = TableOf(m_hWnd)) table->SetProvider(provider);
}

void CTableCtrl::Reset() {
    if (NativeTable* table = TableOf(m_hWnd)) table->Reset();
}

void CTableCtrl::Refresh() {
    if (NativeTable* table = TableOf(m_hWnd)) table->Refresh();
}

int CTableCtrl::GetCurRow() const {
    const NativeTable* table = TableOf(m_hWnd);
    return table != nullptr ? table->CurrentRow() : -1;
}

void CTableCtrl::SetCurRow(int row) {
    if (NativeTable* table = TableOf(m_hWnd)) table->SetCurrentRow(row);
}

int CTableCtrl::GetCountPerPage() const {
    const NativeTable* table = TableOf(m_hWnd);
    return table != nullptr ? table->RowsPerPage() : 0;
}

void CTableCtrl::Scroll(int rows) {
    if (NativeTable* table = TableOf(m_hWnd)) table->ScrollRows(rows);
}

void CTableCtrl::SetSortIndicator(int column, bool ascending) {
    if (NativeTable* table = TableOf(m_hWnd)) table->SetSortIndicator(column, ascending);
}

std::string CTableCtrl::GetItemText(int row, int column) const {
    const NativeTable* table = TableOf(m_hWnd);
    return table != nullptr ? table->ShownText(row, column) : std::string();
}

std::string CTableCtrl::GetHeaderText(int column) const {
    const NativeTable* table = TableOf(m_hWnd);
    return table != nullptr ? table->ShownHeader(column) : std::string();
}

int CTableCtrl::GetRowCount() const {
    const NativeTable* table = TableOf(m_hWnd);
    return table != nullptr ? table->RowCount() : 0;
}

int CTableCtrl::GetColumnCount() const {
    const NativeTable* table = TableOf(m_hWnd);
    return table != nullptr ? table->ColumnCount() : 0;
}

bool CTableCtrl::IsEditing() const {
    const NativeTable* table = TableOf(m_hWnd);
    return table != nullptr && table->IsEditing();
}
