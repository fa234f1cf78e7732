#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

// One entry's bytes after an import, the whole entry.
struct ImportedEntry {
    int entry;
    std::span<const uint8_t> bytes;
};

// The entries an import changes, their bytes in one block: an import that
// rewrites a hundred thousand entries costs no allocation per entry.
class ImportedEntries {
public:
    explicit ImportedEntries(uint32_t entryLength) : m_entryLength(entryLength) {}

    // `bytes` must hold EntryLength() bytes.
    void Add(int entry, std::span<const uint8_t> bytes);
    void Reserve(size_t entries);
    // From here on in entry order.
    void SortByEntry();

    uint32_t EntryLength() const { return m_entryLength; }
    size_t size() const { return m_order.size(); }
    bool empty() const { return m_order.empty(); }
    ImportedEntry operator[](size_t i) const {
        return {m_order[i].first, {m_bytes.data() + m_order[i].second, m_entryLength}};
    }

    // Enough of an iterator for a range-for over the entries.
    class Iterator {
    public:
        Iterator(const ImportedEntries& entries, size_t at) : m_entries(&entries), m_at(at) {}
        ImportedEntry operator*() const { return (*m_entries)[m_at]; }
        Iterator& operator++() {
            ++m_at;
            return *this;
        }
        bool operator==(const Iterator& other) const = default;

    private:
        const ImportedEntries* m_entries;
        size_t m_at;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, size()}; }

private:
    uint32_t m_entryLength;
    // Each entry with where its bytes start in m_bytes.
    std::vector<std::pair<int, size_t>> m_order;
    std::vector<uint8_t> m_bytes;
};
