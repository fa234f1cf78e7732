#pragma once

#include <string>

#include "platform/win32/WinTypes.h"

class CDC;

// A font by face name and size. Sizes convert to pixels at 96 dots per inch,
// as on a standard Windows display, so text fits the pixel geometry of the
// windows. "MS Sans Serif" and "Times New Roman" resolve to the installed
// Liberation Sans and Liberation Serif. A window keeps its own copy of the
// font it was given, so the object may go before the window.
class CFont {
public:
    CFont();
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // nPointSize in tenths of a point (100 is 10 points).
    BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
    HFONT GetSafeHandle() const { return m_hFont; }
    operator HFONT() const { return m_hFont; }
    static CFont* FromHandle(HFONT hFont);

    // Not Win32, for checks: the family the face resolved to and the pixel
    // height.
    std::string GetResolvedFamily() const;
    int GetPixelHeight() const;

private:
    HFONT m_hFont = nullptr;
};
