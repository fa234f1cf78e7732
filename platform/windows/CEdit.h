#pragma once

#include "platform/windows/CWnd.h"

// A single-line edit box. Text is bytes shown one character per byte
// (Latin-1); characters typed that have no byte become '?'. LimitText caps
// what the user can type or paste, as EM_LIMITTEXT does: text set by the
// program is never cut, and a text already over the limit can still be
// shortened. A limit of 0 means no limit of the program's own.
class CEdit : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void LimitText(int nChars = 0);
    UINT GetLimitText() const;
};
