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

// The first byte of the value that differs from the entry where an element
// after `element` that storing writes covers it, or UINT64_MAX for none.
uint64_t FirstCoveredChange(const CTableModule& module, int element, std::span<const uint8_t> value,
                            std::span<const uint8_t> entry) {
    const uint64_t begin = ElementAt(module, element).offset;
    const uint64_t end = begin + value.size();
    uint64_t first = UINT64_MAX;
    for (int i = element + 1; i < module.m_nElements; ++i) {
        const ModuleElement& e = ElementAt(module, i);
        if (!Fits(e, entry.size())) continue;
        const uint64_t to = std::min(end, uint64_t{e.offset} + e.size);
        for (uint64_t at = std::max(begin, uint64_t{e.offset}); at < to && at < first; ++at)
            if (value[at - begin] != entry[at]) first = at;
    }
    return first;
}

// Elements are stored in order, so the byte is the last covering one's.
int LastCovering(const CTableModule& module, int element, uint64_t at) {
    for (int i = module.m_nElements - 1; i > element; --i) {
        const ModuleElement& e = ElementAt(module, i);
        if (e.offset <= at && at < uint64_t{e.offset} + e.size) return i;
    }
    return -1;
}

} // namespace

int EntryStore::CoveringElement(const CTableModule& module, int element, std::span<const uint8_t> value,
                                std::span<const uint8_t> entry) {
    const ModuleElement& set = ElementAt(module, element);
    const auto differs = std::mismatch(value.begin(), value.end(), entry.begin() + set.offset);
    if (differs.first == value.end()) return -1;
    return LastCovering(module, element, set.offset + static_cast<uint64_t>(differs.first - value.begin()));
}

bool EntryStore::Coverable(const CTableModule& module, int element, size_t entryLength) {
    const ModuleElement& set = ElementAt(module, element);
    for (int i = element + 1; i < module.m_nElements; ++i) {
        const ModuleElement& e = ElementAt(module, i);
        if (Fits(e, entryLength) && e.offset < uint64_t{set.offset} + set.size &&
            set.offset < uint64_t{e.offset} + e.size)
            return true;
    }
    return false;
}

EntryStore::Outcome EntryStore::StoreValue(const CTableModule& module, int element,
                                           std::span<const uint8_t> value, std::span<uint8_t> entry) {
    return StoreValue(module, element, value, entry, true);
}

EntryStore::Outcome EntryStore::StoreValue(const CTableModule& module, int element,
                                           std::span<const uint8_t> value, std::span<uint8_t> entry,
                                           bool coverable) {
    if (element < 0 || element >= module.m_nElements) return {};
    const ModuleElement& set = ElementAt(module, element);
    if (value.size() != set.size || !Fits(set, entry.size())) return {};
    // Storing every element in order would leave a byte a later element
    // covers as it is, so the value stands only where it changes no such
    // byte. Worked out in place, with no copy of the entry.
    if (const uint64_t at = coverable ? FirstCoveredChange(module, element, value, entry) : UINT64_MAX;
        at != UINT64_MAX)
        return {Outcome::Kind::Covered, LastCovering(module, element, at)};
    bool changed = false;
    for (size_t k = 0; k < value.size(); ++k) {
        changed |= value[k] != entry[set.offset + k];
        entry[set.offset + k] = value[k];
    }
    return {changed ? Outcome::Kind::Stored : Outcome::Kind::Unchanged, -1};
}

EntryStore::Outcome EntryStore::StoreElements(const CTableModule& module, std::span<uint8_t> entry) {
    const std::vector<uint8_t> before(entry.begin(), entry.end());
    for (const auto& e : module.m_elements)
        if (e->data.size() == e->size && Fits(*e, entry.size()))
            std::memcpy(entry.data() + e->offset, e->data.data(), e->size);
    const bool same = std::equal(before.begin(), before.end(), entry.begin());
    return {same ? Outcome::Kind::Unchanged : Outcome::Kind::Stored, -1};
}
