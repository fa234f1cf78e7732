#include "table/CTableModule.h"

#include <cstring>

CTableModule::CTableModule() {
    for (size_t i = 0; i < 256; ++i) {
        m_charOf[i] = static_cast<uint8_t>(i);
        m_codeOf[i] = static_cast<uint8_t>(i);
    }
}

void CTableModule::AddElement(ModuleElement element) {
    auto stored = std::make_unique<ModuleElement>();
    stored->name = std::move(element.name);
    stored->offset = element.offset;
    stored->size = element.size;
    stored->style = element.style;
    stored->valueCount = element.valueCount;
    if (element.valueCount != 0) {
        stored->valueNames = std::move(element.valueNames);
        stored->values = std::move(element.values);
    }
    m_elements.push_back(std::move(stored));
    m_nElements = static_cast<int32_t>(m_elements.size());
}

const ModuleElement* CTableModule::Element(int element) const {
    if (element < 0 || static_cast<size_t>(element) >= m_elements.size()) return nullptr;
    return m_elements[static_cast<size_t>(element)].get();
}

bool CTableModule::FitsIn(uint32_t romLength) const {
    // At most 2^31 entries of at most 2^32 bytes: the product and the sum stay
    // far below 2^64, so the extent is exact.
    uint64_t count = m_nEntryCount > 0 ? static_cast<uint64_t>(m_nEntryCount) : 0;
    uint64_t extent = m_nBaseOffset + count * m_nEntryLength;
    return extent <= romLength;
}

namespace {

bool InsideEntry(const ModuleElement& e, uint32_t entryLength) {
    return static_cast<uint64_t>(e.offset) + e.size <= entryLength;
}

uint64_t Position(const CTableModule& m, int entry, const ModuleElement& e) {
    return m.m_nBaseOffset + static_cast<uint64_t>(m.m_nEntryLength) * static_cast<uint64_t>(entry) +
           e.offset;
}

} // namespace

bool CTableModule::SelectEntry(int entry, const uint8_t* rom, uint32_t romLength) {
    if (entry < 0 || entry >= m_nEntryCount || !FitsIn(romLength)) return false;
    // A loaded module never has an element reaching past its entry; one put
    // together by hand might, and must not read past the table.
    for (const auto& e : m_elements)
        if (!InsideEntry(*e, m_nEntryLength)) return false;
    m_nCurEntry = entry;
    for (size_t i = 0; i < m_elements.size(); ++i) {
        const ModuleElement& e = *m_elements[i];
        SetElementData(static_cast<int>(i), rom + Position(*this, entry, e));
    }
    return true;
}

void CTableModule::StoreEntry(uint8_t* rom) const {
    for (const auto& e : m_elements) {
        if (e->data.size() != e->size) continue;
        std::memcpy(rom + Position(*this, m_nCurEntry, *e), e->data.data(), e->size);
    }
}

bool CTableModule::StoreEntry(uint8_t* rom, uint32_t romLength) const {
    if (m_nCurEntry < 0 || m_nCurEntry >= m_nEntryCount || !FitsIn(romLength)) return false;
    for (const auto& e : m_elements)
        if (!InsideEntry(*e, m_nEntryLength) || e->data.size() != e->size) return false;
    StoreEntry(rom);
    return true;
}

int CTableModule::GetElementData(int element, uint8_t* dest) const {
    const ModuleElement* e = Element(element);
    if (e == nullptr || e->data.size() != e->size) return 0;
    std::memcpy(dest, e->data.data(), e->size);
    return static_cast<int>(e->size);
}

int CTableModule::SetElementData(int element, const uint8_t* src) {
    if (Element(element) == nullptr) return 0;
    ModuleElement& e = *m_elements[static_cast<size_t>(element)];
    e.data.assign(src, src + e.size);
    return static_cast<int>(e.size);
}

std::string CTableModule::GetElementName(int element) const {
    const ModuleElement* e = Element(element);
    return e != nullptr ? e->name : std::string();
}

std::string CTableModule::GetValueName(int element, int value) const {
    const ModuleElement* e = Element(element);
    if (e == nullptr || value < 0 || static_cast<size_t>(value) >= e->valueNames.size()) return {};
    return e->valueNames[static_cast<size_t>(value)];
}
