#include "document/ElementInput.h"

#include <cctype>
#include <cstdio>

#include "document/StrictNumber.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"
#include "table/NumberCodec.h"

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
    return Read(module, element, value, InputRules::Form);
}

Result<std::vector<uint8_t>, std::string> ElementInput::Read(const CTableModule& module, int element,
                                                             const std::string& value, InputRules rules) {
    if (rules == InputRules::Strict) {
        switch (ElementCodec::KindOf(module.m_elements[static_cast<size_t>(element)]->style)) {
        case ElementKind::Dropbox:
            break;
        case ElementKind::HexArray:
            return ReadStrictHexArray(module, element, value);
        case ElementKind::Text:
            return ReadStrictText(module, element, value);
        default:
            return ReadStrictNumber(module, element, value);
        }
    }
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

namespace {

using Bytes = Result<std::vector<uint8_t>, std::string>;

std::string Decimal(int64_t value) {
    return std::to_string(value);
}

std::string Hex(int64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

Bytes ElementInput::ReadStrictNumber(const CTableModule& module, int element, const std::string& value) {
    const ModuleElement& e = *module.m_elements[static_cast<size_t>(element)];
    const ElementKind kind = ElementCodec::KindOf(e.style);
    const unsigned bits = 8 * e.size;
    const bool isSigned = kind == ElementKind::SignedNumber;
    const int64_t max = isSigned ? (int64_t{1} << (bits - 1)) - 1 : (int64_t{1} << bits) - 1;
    const int64_t min = isSigned ? -(int64_t{1} << (bits - 1)) : 0;
    const bool negative = value.starts_with('-');
    // The minus sign is only ever one character in front of a whole number;
    // StrictNumber refuses everything else a strtoul would skip or stop at.
    const std::optional<uint32_t> magnitude =
            StrictNumber::Parse(std::string_view(value).substr(negative ? 1 : 0));
    const int64_t number = magnitude ? (negative ? -int64_t{*magnitude} : int64_t{*magnitude}) : 0;
    if (!magnitude || number < min || number > max) {
        const bool hex = kind == ElementKind::HexNumber;
        return Bytes::Failure(StrictNumberText(e.name, value, Decimal(min), hex ? Hex(max) : Decimal(max)));
    }
    std::vector<uint8_t> bytes(e.size, 0);
    NumberCodec::EncodeUnsigned(static_cast<uint32_t>(number), bytes);
    return bytes;
}

Bytes ElementInput::ReadStrictHexArray(const CTableModule& module, int element, const std::string& value) {
    const ModuleElement& e = *module.m_elements[static_cast<size_t>(element)];
    // Two digits per byte and one separator between them that is not itself
    // a digit, so "ABCDE" is refused instead of read as "BC DE".
    bool ok = e.size > 0 && value.size() == 3 * uint64_t{e.size} - 1;
    for (size_t k = 0; ok && k < value.size(); ++k)
        ok = IsHexDigit(value[k]) == (k % 3 != 2);
    if (!ok) return Bytes::Failure(StrictHexArrayText(e.name, value, e.size));
    return *ElementCodec::ReadHexArray(value, e.size);
}

Bytes ElementInput::ReadStrictText(const CTableModule& module, int element, const std::string& value) {
    const ModuleElement& e = *module.m_elements[static_cast<size_t>(element)];
    if (value.size() > e.size) return Bytes::Failure(QlmTextTooLongText(e.name, value.size(), e.size));
    // A character encodes when its code shows as that character again;
    // otherwise the ROM would hold something other than what was typed.
    for (const char c : value) {
        const auto code = module.m_codeOf[static_cast<unsigned char>(c)];
        if (c == '\0' || module.m_charOf[code] != static_cast<unsigned char>(c))
            return Bytes::Failure(StrictCharacterText(e.name, c));
    }
    return ElementCodec::ReadText(value, e.size, module.m_codeOf);
}
