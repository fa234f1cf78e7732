#pragma once

#include "platform/win32/WinTypes.h"

// A device context while a window paints (WM_ERASEBKGND, WM_PAINT).
// Drawing is clipped to the window's client area.
class CDC {
public:
    static CDC* FromHandle(HDC hDC);
    HDC GetSafeHdc() const { return m_hDC; }

    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);

private:
    friend class NativeDC;
    explicit CDC(HDC hDC) : m_hDC(hDC) {}
    HDC m_hDC;
};
