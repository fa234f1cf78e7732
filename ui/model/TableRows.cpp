#include "ui/model/TableRows.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

void TableRows::ShowAll(int count) {
    m_count = std::max(count, 0);
    m_entries.resize(static_cast<size_t>(m_count));
    std::iota(m_entries.begin(), m_entries.end(), 0);
    m_identity = true;
}

void TableRows::ShowMatching(int count, const Keep& keep) {
    m_count = std::max(count, 0);
    m_entries.clear();
    for (int entry = 0; entry < count; ++entry)
        if (keep(entry)) m_entries.push_back(entry);
    m_identity = static_cast<int>(m_entries.size()) == m_count;
}

void TableRows::ShowEntries(std::vector<int> entries, int count) {
    m_count = std::max(count, 0);
    m_entries = std::move(entries);
    m_identity = static_cast<int>(m_entries.size()) == m_count;
}

void TableRows::Append(const std::vector<int>& entries) {
    m_entries.insert(m_entries.end(), entries.begin(), entries.end());
    m_identity = static_cast<int>(m_entries.size()) == m_count;
}

void TableRows::Sort(const TextOf& textOf, bool ascending) {
    // Each cell's key is made once, not once per comparison: the number it
    // starts with, and the rest lowered into one buffer.
    struct Key {
        int64_t number;
        size_t at;
        uint32_t length;
        bool hasNumber;
    };
    std::vector<Key> keys(m_entries.size());
    std::string rests;
    for (size_t row = 0; row < m_entries.size(); ++row) {
        const std::string text = textOf(m_entries[row]);
        const SortKey key = KeyOf(text);
        keys[row] = {key.number.value_or(0), rests.size(), static_cast<uint32_t>(key.rest.size()),
                     key.number.has_value()};
        for (char c : key.rest)
            rests.push_back(Lower(c));
    }
    const auto compare = [&](uint32_t a, uint32_t b) {
        const Key& x = keys[a];
        const Key& y = keys[b];
        if (x.hasNumber != y.hasNumber) return x.hasNumber ? -1 : 1;
        if (x.number != y.number) return x.number < y.number ? -1 : 1;
        const std::string_view rx(rests.data() + x.at, x.length);
        const std::string_view ry(rests.data() + y.at, y.length);
        // Lowered already; bytes compare unsigned, as CompareNoCase does.
        return rx.compare(ry);
    };
    std::vector<uint32_t> order(m_entries.size());
    std::iota(order.begin(), order.end(), uint32_t{0});
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        const int c = compare(a, b);
        return ascending ? c < 0 : c > 0;
    });
    Reorder(order);
}

void TableRows::SortByNumber(const NumberOf& numberOf, bool ascending) {
    std::vector<int64_t> keys(m_entries.size());
    for (size_t row = 0; row < m_entries.size(); ++row)
        keys[row] = numberOf(m_entries[row]);
    std::vector<uint32_t> order(m_entries.size());
    std::iota(order.begin(), order.end(), uint32_t{0});
    if (ascending)
        std::stable_sort(order.begin(), order.end(),
                         [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
    else
        std::stable_sort(order.begin(), order.end(),
                         [&](uint32_t a, uint32_t b) { return keys[a] > keys[b]; });
    Reorder(order);
}

void TableRows::Reorder(const std::vector<uint32_t>& order) {
    std::vector<int> sorted(m_entries.size());
    for (size_t row = 0; row < order.size(); ++row)
        sorted[row] = m_entries[order[row]];
    m_entries = std::move(sorted);
    m_identity = false;
}

int TableRows::RowOf(int entry) const {
    if (m_identity) return entry >= 0 && entry < Count() ? entry : -1;
    const auto it = std::find(m_entries.begin(), m_entries.end(), entry);
    return it == m_entries.end() ? -1 : static_cast<int>(it - m_entries.begin());
}

bool TableRows::ContainsNoCase(std::string_view text, std::string_view needle) {
    if (needle.empty()) return true;
    const auto it = std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                                [](char a, char b) { return Lower(a) == Lower(b); });
    return it != text.end();
}

TableRows::SortKey TableRows::KeyOf(std::string_view cell) {
    const bool negative = !cell.empty() && cell[0] == '-';
    std::string_view digits = cell.substr(negative ? 1 : 0);
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    // Only 32-bit values reach a cell; anything longer is text.
    if (error != std::errc() || end == digits.data() || value > UINT32_MAX) return {std::nullopt, cell};
    const int64_t number = negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
    return {number, std::string_view(end, static_cast<size_t>(digits.data() + digits.size() - end))};
}

int TableRows::CompareNoCase(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = Lower(a[i]);
        const char y = Lower(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int TableRows::CompareCells(std::string_view a, std::string_view b) {
    const SortKey x = KeyOf(a);
    const SortKey y = KeyOf(b);
    if (x.number.has_value() != y.number.has_value()) return x.number.has_value() ? -1 : 1;
    if (x.number && *x.number != *y.number) return *x.number < *y.number ? -1 : 1;
    return CompareNoCase(x.rest, y.rest);
}
