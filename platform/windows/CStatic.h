#pragma once

#include "platform/windows/CWnd.h"

class BitmapImage;

// A label, or with SS_BITMAP/SS_ICON a picture.
class CStatic : public CWnd {
public:
    BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);
    // The picture of an SS_BITMAP/SS_ICON static; the image is copied.
    void SetBitmap(const BitmapImage& image);
};
