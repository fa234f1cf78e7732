#include "ui/model/FilterNeedle.h"

#include <algorithm>

#include "document/ElementDisplay.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"
#include "ui/model/TableRows.h"

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Every character a kind's text may have, lowered, and its longest text;
// empty characters mean any.
struct Alphabet {
    std::string_view characters;
    uint64_t longest;
};

Alphabet AlphabetOf(const ModuleElement& e) {
    constexpr uint64_t kAny = UINT64_MAX;
    switch (ElementCodec::KindOf(e.style)) {
    case ElementKind::UnsignedNumber:
        return {"0123456789", 10};
    case ElementKind::SignedNumber:
        return {"-0123456789", 11};
    case ElementKind::HexNumber:
        return {"0123456789abcdefx", 10};
    case ElementKind::HexArray:
        return {"0123456789abcdef ", e.size == 0 ? 0 : 3 * uint64_t{e.size} - 1};
    case ElementKind::Text:
        // One character a byte, up to the first NUL.
        return {{}, e.size};
    default:
        return {{}, kAny};
    }
}

} // namespace

FilterNeedle::FilterNeedle(const CTableModule& module, std::string_view text) {
    m_lowered.reserve(text.size());
    for (char c : text)
        m_lowered.push_back(Lower(c));
    for (int element = 0; element < static_cast<int>(module.m_elements.size()); ++element)
        if (CouldShow(module, element)) m_searched.push_back(element);
}

bool FilterNeedle::CouldShow(const CTableModule& module, int element) const {
    const Alphabet alphabet = AlphabetOf(*module.m_elements[static_cast<size_t>(element)]);
    if (m_lowered.size() > alphabet.longest) return false;
    return alphabet.characters.empty() || std::all_of(m_lowered.begin(), m_lowered.end(), [&](char c) {
               return alphabet.characters.find(c) != std::string_view::npos;
           });
}

bool FilterNeedle::InText(std::string_view text) const {
    return TableRows::ContainsNoCase(text, m_lowered);
}

bool FilterNeedle::Holds(const CTableModule& module, int entry, std::span<const uint8_t> bytes) const {
    if (InText(module.m_entryNames[static_cast<size_t>(entry)])) return true;
    return std::any_of(m_searched.begin(), m_searched.end(),
                       [&](int element) { return InText(ElementDisplay::Show(module, element, bytes)); });
}

bool FilterNeedle::Narrows(const FilterNeedle& wider) const {
    // A cell holding this text holds every part of it.
    return m_lowered.find(wider.m_lowered) != std::string::npos;
}
