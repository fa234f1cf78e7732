#include "platform/windows/CDC.h"

#include <QColor>

#include "platform/windows/NativeDC.h"

CDC* CDC::FromHandle(HDC hDC) {
    return hDC != nullptr ? hDC->Dc() : nullptr;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    if (lpRect == nullptr) return;
    FillSolidRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    if (m_hDC == nullptr || cx <= 0 || cy <= 0) return;
    m_hDC->Painter().fillRect(x, y, cx, cy, QColor(GetRValue(clr), GetGValue(clr), GetBValue(clr)));
}
