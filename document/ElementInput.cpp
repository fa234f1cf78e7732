#include "document/ElementInput.h"

#include "document/StrictNumber.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"

std::optional<int> ElementInput::FindDropboxItem(const CTableModule& module, int element,
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
    if (const std::optional<uint32_t> number = StrictNumber::Parse(value))
        for (int i = 0; i < count; ++i)
            if (e.values[static_cast<size_t>(i)] == *number) return i;
    return std::nullopt;
}

Result<std::vector<uint8_t>, std::string> ElementInput::Read(const CTableModule& module, int element,
                                                             const std::string& value) {
    using Bytes = Result<std::vector<uint8_t>, std::string>;
    const ModuleElement& e = *module.m_elements[static_cast<size_t>(element)];
    switch (ElementCodec::KindOf(e.style)) {
    case ElementKind::Dropbox: {
        const std::optional<int> item = FindDropboxItem(module, element, value);
        if (!item) return Bytes::Failure(QlmNotInListText(e.name, value));
        return *ElementCodec::ReadDropbox(*item, e.values, e.size);
    }
    case ElementKind::HexArray: {
        std::optional<std::vector<uint8_t>> bytes = ElementCodec::ReadHexArray(value, e.size);
        if (!bytes) return Bytes::Failure(kBadHexArrayText);
        return *std::move(bytes);
    }
    case ElementKind::Text:
        // The editor's box stops typing at the element's size; a longer text
        // here would lose its tail without a word, so it is refused.
        if (value.size() > e.size) return Bytes::Failure(QlmTextTooLongText(e.name, value.size(), e.size));
        return ElementCodec::ReadText(value, e.size, module.m_codeOf);
    default:
        return ElementCodec::ReadNumber(value, e.size);
    }
}
