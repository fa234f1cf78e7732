#include "table/EntryLabels.h"

#include <algorithm>
#include <cstring>

#include "table/HexText.h"

EntryLabels::EntryLabels(const EntryLabels& other)
    : m_lengths(other.m_lengths), m_groupStarts(other.m_groupStarts), m_long(other.m_long) {
    Grow(other.m_textSize);
    if (other.m_textSize != 0) std::memcpy(m_text.get(), other.m_text.get(), other.m_textSize);
    m_textSize = other.m_textSize;
}

EntryLabels& EntryLabels::operator=(const EntryLabels& other) {
    if (this != &other) *this = EntryLabels(other);
    return *this;
}

EntryLabels::EntryLabels(EntryLabels&& other) noexcept
    : m_text(std::move(other.m_text)), m_textSize(std::exchange(other.m_textSize, 0)),
      m_textCapacity(std::exchange(other.m_textCapacity, 0)), m_lengths(std::move(other.m_lengths)),
      m_groupStarts(std::move(other.m_groupStarts)), m_long(std::move(other.m_long)) {}

EntryLabels& EntryLabels::operator=(EntryLabels&& other) noexcept {
    m_text = std::move(other.m_text);
    m_textSize = std::exchange(other.m_textSize, 0);
    m_textCapacity = std::exchange(other.m_textCapacity, 0);
    m_lengths = std::move(other.m_lengths);
    m_groupStarts = std::move(other.m_groupStarts);
    m_long = std::move(other.m_long);
    return *this;
}

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
    return Text().substr(begin, Length(index));
}

void EntryLabels::Grow(size_t capacity) {
    if (capacity <= m_textCapacity) return;
    auto text = std::make_unique_for_overwrite<char[]>(capacity);
    if (m_textSize != 0) std::memcpy(text.get(), m_text.get(), m_textSize);
    m_text = std::move(text);
    m_textCapacity = capacity;
}

char* EntryLabels::Room(size_t bytes) {
    if (bytes > m_textCapacity - m_textSize) Grow(std::max(m_textSize + bytes, 2 * m_textCapacity));
    return m_text.get() + m_textSize;
}

void EntryLabels::reserve(size_t count, size_t textBytes, RoomHints hints) {
    m_lengths.reserve(count);
    m_groupStarts.reserve((count + kGroup - 1) / kGroup);
    Grow(textBytes);
    if (hints.text != nullptr) hints.text(m_text.get(), m_textCapacity);
    if (hints.index != nullptr && m_lengths.empty()) hints.index(m_lengths.data(), count * sizeof(uint16_t));
}

void EntryLabels::Close(size_t length) {
    if (size() % kGroup == 0) m_groupStarts.push_back(m_textSize);
    if (length >= kLong) m_long.emplace_back(size(), length);
    m_lengths.push_back(static_cast<uint16_t>(std::min<size_t>(length, kLong)));
    m_textSize += length;
}

std::vector<size_t> EntryLabels::Ends() const {
    std::vector<size_t> ends;
    ends.reserve(size());
    size_t end = 0;
    for (size_t i = 0; i < size(); ++i)
        ends.push_back(end += Length(i));
    return ends;
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

void EntryLabels::AppendBare() {
    Close(WriteHex(Room(BareLength(size())), size()));
}

void EntryLabels::AppendNamed(std::string_view name) {
    // The label is a C string: a name ends at its first NUL byte.
    name = name.substr(0, name.find('\0'));
    // Exactly the label's room: the loader reserved that much and no more.
    char* at = Room(BareLength(size()) + 3 + name.size());
    const size_t hex = WriteHex(at, size());
    std::memcpy(at + hex, " - ", 3);
    if (!name.empty()) std::memcpy(at + hex + 3, name.data(), name.size());
    Close(hex + 3 + name.size());
}

void EntryLabels::push_back(std::string_view text) {
    char* at = Room(text.size());
    if (!text.empty()) std::memcpy(at, text.data(), text.size());
    Close(text.size());
}

std::vector<std::string_view> EntryLabels::Views() const {
    std::vector<std::string_view> views;
    views.reserve(size());
    const std::string_view text = Text();
    size_t begin = 0;
    for (size_t i = 0; i < size(); ++i) {
        const size_t length = Length(i);
        views.push_back(text.substr(begin, length));
        begin += length;
    }
    return views;
}
