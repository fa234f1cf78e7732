#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/CWnd.h"

// Texts packed end to end: text i runs from ends[i - 1] (0 for the first)
// to ends[i].
struct ComboPackedTexts {
    std::string_view text;
    std::span<const std::size_t> ends;
};

// A drop-down list with Win32 behaviour: adding items never selects one, -1
// means no selection, and CBN_SELCHANGE reaches the parent's WindowProc only
// for a user's choice (mouse or keys), never for CB_SETCURSEL or removals.
// Items are kept in the order added (CBS_SORT is not supported). Item texts
// display as UTF-8 where valid, else Latin-1, and come back as given.
class CComboBox : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Index of the new item, or CB_ERR.
    int AddString(LPCSTR lpszString);
    int AddString(const std::string& text);
    // Appends every text in order, much faster than one AddString each;
    // the selection stays as it was. Index of the last item, or CB_ERR.
    int AddStrings(std::span<const std::string_view> texts);
    int AddStrings(const std::vector<std::string>& texts);
    int AddStrings(std::initializer_list<std::string_view> texts);
    // The same for texts packed into one buffer, copied in one piece.
    int AddStrings(std::string_view packed, std::span<const std::size_t> ends);
    // Count remaining, or CB_ERR for a bad index. Removing the selected item
    // leaves no selection, as in Win32.
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    // CB_ERR (-1) when nothing is selected.
    int GetCurSel() const;
    // -1 clears the selection and returns CB_ERR; an index out of range
    // clears it too and returns CB_ERR.
    int SetCurSel(int nSelect);
    std::string GetLBText(int nIndex) const;
    int GetLBTextLen(int nIndex) const;
};
