#include "document/ImportedEntries.h"

#include <algorithm>

void ImportedEntries::Add(int entry, std::span<const uint8_t> bytes) {
    m_order.emplace_back(entry, m_bytes.size());
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void ImportedEntries::Reserve(size_t entries) {
    m_order.reserve(entries);
    m_bytes.reserve(entries * m_entryLength);
}

void ImportedEntries::SortByEntry() {
    // Only the small pairs move; the bytes stay where they were added.
    std::sort(m_order.begin(), m_order.end());
}
