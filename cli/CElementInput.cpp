#include "CElementInput.h"

#include "CStrictNumber.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"

std::optional<int> CElementInput::FindDropboxItem(const CTableModule& module, int element,
                                                  const std::string& value) {
    const ModuleElement& e = *module.m_elements[static_cast<size_t>(element)];
    const int count = static_cast<int>(e.values.size());
    // A value's name first, then the label qlm dump prints, so a dumped cell
    // can be fed back unchanged; a bare number last.
    for (int i = 0; i < count; ++i)
        if (module.GetValueName(element, i) == value) return i;
    for (int i = 0; i < count; ++i)
        if (ElementCodec::DropboxItemLabel(e.values[static_cast<size_t>(i)], module.GetValueName(element, i),
                                           e.style) == value)
            return i;
    if (const std::optional<uint32_t> number = CStrictNumber::Parse(value))
        for (int i = 0; i < count; ++i)
            if (e.values[static_cast<size_t>(i)] == *number) return i;
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> CElementInput::Read(const CTableModule& module, int element,
                                                        const std::string& value, std::string& problem) {
    const ModuleElement& e = *module.m_elements[static_cast<size_t>(element)];
    switch (ElementCodec::KindOf(e.style)) {
    case ElementKind::Dropbox: {
        const std::optional<int> item = FindDropboxItem(module, element, value);
        if (!item) {
            problem =
                    e.name + ": \"" + value + "\" is neither the name nor the value of an item of its list.";
            return std::nullopt;
        }
        return ElementCodec::ReadDropbox(*item, e.values, e.size);
    }
    case ElementKind::HexArray: {
        auto bytes = ElementCodec::ReadHexArray(value, e.size);
        if (!bytes) problem = kBadHexArrayText;
        return bytes;
    }
    case ElementKind::Text:
        // The editor's box stops typing at the element's size; a longer text
        // here would lose its tail without a word, so it is refused.
        if (value.size() > e.size) {
            problem = e.name + ": the text has " + std::to_string(value.size()) +
                      " characters; the element holds " + std::to_string(e.size) + ".";
            return std::nullopt;
        }
        return ElementCodec::ReadText(value, e.size, module.m_codeOf);
    default:
        return ElementCodec::ReadNumber(value, e.size);
    }
}
