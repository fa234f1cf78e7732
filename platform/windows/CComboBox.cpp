#include "platform/windows/CComboBox.h"

#include <vector>

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, "COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::AddString(LPCSTR lpszString) {
    return static_cast<int>(
            SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString != nullptr ? lpszString : "")));
}

int CComboBox::AddString(const std::string& text) {
    return AddString(text.c_str());
}

int CComboBox::AddStrings(std::span<const std::string_view> texts) {
    return static_cast<int>(SendMessage(CB_ADDSTRINGLIST, 0, reinterpret_cast<LPARAM>(&texts)));
}

int CComboBox::AddStrings(const std::vector<std::string>& texts) {
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    return AddStrings(std::span<const std::string_view>(views));
}

int CComboBox::AddStrings(std::initializer_list<std::string_view> texts) {
    return AddStrings(std::span<const std::string_view>(texts.begin(), texts.size()));
}

int CComboBox::AddStrings(std::string_view packed, std::span<const std::size_t> ends) {
    const ComboPackedTexts texts{packed, ends};
    return static_cast<int>(SendMessage(CB_ADDPACKEDSTRINGS, 0, reinterpret_cast<LPARAM>(&texts)));
}

int CComboBox::DeleteString(UINT nIndex) {
    return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex, 0));
}

void CComboBox::ResetContent() {
    SendMessage(CB_RESETCONTENT, 0, 0);
}

int CComboBox::GetCount() const {
    return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(CB_GETCOUNT, 0, 0));
}

int CComboBox::GetCurSel() const {
    if (!::IsWindow(m_hWnd)) return CB_ERR;
    return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(CB_GETCURSEL, 0, 0));
}

int CComboBox::SetCurSel(int nSelect) {
    if (!::IsWindow(m_hWnd)) return CB_ERR;
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}

std::string CComboBox::GetLBText(int nIndex) const {
    auto* self = const_cast<CComboBox*>(this);
    const LRESULT len = self->SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0);
    if (len <= 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(len) + 1, '\0');
    const LRESULT copied = self->SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex),
                                             reinterpret_cast<LPARAM>(buffer.data()));
    return copied > 0 ? std::string(buffer.data(), static_cast<std::size_t>(copied)) : std::string();
}

int CComboBox::GetLBTextLen(int nIndex) const {
    return static_cast<int>(
            const_cast<CComboBox*>(this)->SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}
