#include "platform/windows/CStatic.h"

#include "platform/windows/NativeStatic.h"

BOOL CStatic::Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, "STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

void CStatic::SetBitmap(const BitmapImage& image) {
    if (auto* native = dynamic_cast<NativeStatic*>(m_hWnd); native != nullptr && ::IsWindow(m_hWnd))
        native->SetImage(image);
}
