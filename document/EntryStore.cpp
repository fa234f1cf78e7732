#include "document/EntryStore.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "table/CTableModule.h"

namespace {

const ModuleElement& ElementAt(const CTableModule& module, int element) {
    return *module.m_elements[static_cast<size_t>(element)];
}

bool Fits(const ModuleElement& e, size_t entryLength) {
    return uint64_t{e.offset} + e.size <= entryLength;
}

} // namespace

int EntryStore::CoveringElement(const CTableModule& module, int element, std::span<const uint8_t> value,
                                std::span<const uint8_t> entry) {
    const ModuleElement& set = ElementAt(module, element);
    const auto differs = std::mismatch(value.begin(), value.end(), entry.begin() + set.offset);
    if (differs.first == value.end()) return -1;
    const uint64_t at = set.offset + static_cast<uint64_t>(differs.first - value.begin());
    // Elements are stored in order, so the byte is the last covering one's.
    for (int i = module.m_nElements - 1; i > element; --i) {
        const ModuleElement& e = ElementAt(module, i);
        if (e.offset <= at && at < uint64_t{e.offset} + e.size) return i;
    }
    return -1;
}

EntryStore::Outcome EntryStore::StoreValue(const CTableModule& module, int element,
                                           std::span<const uint8_t> value, std::span<uint8_t> entry) {
    if (element < 0 || element >= module.m_nElements) return {};
    const ModuleElement& set = ElementAt(module, element);
    if (value.size() != set.size || !Fits(set, entry.size())) return {};
    const std::vector<uint8_t> before(entry.begin(), entry.end());
    std::copy(value.begin(), value.end(), entry.begin() + set.offset);
    // Later elements write their own bytes, as they were, over it.
    for (int i = element + 1; i < module.m_nElements; ++i) {
        const ModuleElement& e = ElementAt(module, i);
        if (Fits(e, entry.size())) std::memcpy(entry.data() + e.offset, before.data() + e.offset, e.size);
    }
    if (const int covering = CoveringElement(module, element, value, entry); covering >= 0) {
        std::copy(before.begin(), before.end(), entry.begin());
        return {Outcome::Kind::Covered, covering};
    }
    const bool same = std::equal(before.begin(), before.end(), entry.begin());
    return {same ? Outcome::Kind::Unchanged : Outcome::Kind::Stored, -1};
}

EntryStore::Outcome EntryStore::StoreElements(const CTableModule& module, std::span<uint8_t> entry) {
    const std::vector<uint8_t> before(entry.begin(), entry.end());
    for (const auto& e : module.m_elements)
        if (e->data.size() == e->size && Fits(*e, entry.size()))
            std::memcpy(entry.data() + e->offset, e->data.data(), e->size);
    const bool same = std::equal(before.begin(), before.end(), entry.begin());
    return {same ? Outcome::Kind::Unchanged : Outcome::Kind::Stored, -1};
}
