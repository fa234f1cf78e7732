#include "table/EntryLabels.h"

#include "table/HexText.h"

std::string_view EntryLabels::operator[](size_t index) const {
    const size_t begin = index == 0 ? 0 : m_ends[index - 1];
    return std::string_view(m_text).substr(begin, m_ends[index] - begin);
}

void EntryLabels::reserve(size_t count, size_t textBytes) {
    m_ends.reserve(count);
    m_text.reserve(textBytes);
}

size_t EntryLabels::BareLength(size_t index) {
    size_t digits = 2;
    for (index >>= 8; index != 0; index >>= 4)
        ++digits;
    return 2 + digits;
}

// Written by hand: a million-entry table formats a million labels, and
// snprintf would dominate the load.
void EntryLabels::AppendHex(size_t index) {
    char text[2 + 2 * sizeof(size_t)];
    const size_t length = BareLength(index);
    text[0] = '0';
    text[1] = 'x';
    for (size_t at = length; at > 2; --at, index >>= 4)
        text[at - 1] = HexText::Digit(index);
    m_text.append(text, length);
}

void EntryLabels::AppendBare() {
    AppendHex(size());
    m_ends.push_back(m_text.size());
}

void EntryLabels::AppendNamed(std::string_view name) {
    AppendHex(size());
    m_text += " - ";
    // The label is a C string: a name ends at its first NUL byte.
    m_text += name.substr(0, name.find('\0'));
    m_ends.push_back(m_text.size());
}

void EntryLabels::push_back(std::string_view text) {
    m_text += text;
    m_ends.push_back(m_text.size());
}

std::vector<std::string_view> EntryLabels::Views() const {
    std::vector<std::string_view> views;
    views.reserve(size());
    for (size_t i = 0; i < size(); ++i)
        views.push_back((*this)[i]);
    return views;
}
