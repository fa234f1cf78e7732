#include "table/EntryLabels.h"

#include <algorithm>
#include <cstring>

#include "table/HexText.h"

size_t EntryLabels::Length(size_t index) const {
    if (m_lengths[index] != kLong) return m_lengths[index];
    const auto found = std::lower_bound(m_long.begin(), m_long.end(), std::pair<size_t, size_t>(index, 0));
    return found->second;
}

std::string_view EntryLabels::operator[](size_t index) const {
    const size_t first = index - index % kGroup;
    size_t begin = m_groupStarts[first / kGroup];
    for (size_t i = first; i < index; ++i)
        begin += Length(i);
    return std::string_view(m_text).substr(begin, Length(index));
}

void EntryLabels::reserve(size_t count, size_t textBytes, RoomHints hints) {
    m_lengths.reserve(count);
    m_groupStarts.reserve((count + kGroup - 1) / kGroup);
    m_text.reserve(textBytes);
    if (hints.text != nullptr) hints.text(m_text.data(), m_text.capacity());
    if (hints.index != nullptr && m_lengths.empty()) hints.index(m_lengths.data(), count * sizeof(uint16_t));
}

void EntryLabels::Close(size_t begin) {
    if (size() % kGroup == 0) m_groupStarts.push_back(begin);
    const size_t length = m_text.size() - begin;
    if (length >= kLong) m_long.emplace_back(size(), length);
    m_lengths.push_back(static_cast<uint16_t>(std::min<size_t>(length, kLong)));
}

size_t EntryLabels::BareLength(size_t index) {
    size_t digits = 2;
    for (index >>= 8; index != 0; index >>= 4)
        ++digits;
    return 2 + digits;
}

// Written by hand: a million-entry table formats a million labels, and
// snprintf would dominate the load.
size_t EntryLabels::WriteHex(char* text, size_t index) {
    const size_t length = BareLength(index);
    text[0] = '0';
    text[1] = 'x';
    for (size_t at = length; at > 2; --at, index >>= 4)
        text[at - 1] = HexText::Digit(index);
    return length;
}

void EntryLabels::AppendHex(size_t index) {
    char text[2 + 2 * sizeof(size_t)];
    m_text.append(text, WriteHex(text, index));
}

void EntryLabels::AppendBare() {
    const size_t begin = m_text.size();
    AppendHex(size());
    Close(begin);
}

void EntryLabels::AppendNamed(std::string_view name) {
    const size_t begin = m_text.size();
    char prefix[2 + 2 * sizeof(size_t) + 3];
    const size_t length = WriteHex(prefix, size());
    std::memcpy(prefix + length, " - ", 3);
    m_text.append(prefix, length + 3);
    // The label is a C string: a name ends at its first NUL byte.
    m_text += name.substr(0, name.find('\0'));
    Close(begin);
}

void EntryLabels::push_back(std::string_view text) {
    const size_t begin = m_text.size();
    m_text += text;
    Close(begin);
}

std::vector<std::string_view> EntryLabels::Views() const {
    std::vector<std::string_view> views;
    views.reserve(size());
    const std::string_view text(m_text);
    size_t begin = 0;
    for (size_t i = 0; i < size(); ++i) {
        const size_t length = Length(i);
        views.push_back(text.substr(begin, length));
        begin += length;
    }
    return views;
}
