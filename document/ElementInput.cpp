#include "document/ElementInput.h"

#include <cctype>

#include "document/StrictNumber.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"
#include "table/HexText.h"
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
    const ModuleElement& strict = *module.m_elements[static_cast<size_t>(element)];
    if (rules == InputRules::Strict && ElementCodec::KindOf(strict.style) != ElementKind::Dropbox) {
        std::vector<uint8_t> bytes(strict.size, 0);
        if (Written written = ReadInto(module, element, value, rules, bytes); !written)
            return Result<std::vector<uint8_t>, std::string>::Failure(written.Error());
        return bytes;
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
    return HexText::Number(static_cast<uint64_t>(value));
}

// Not isxdigit: the same in the "C" locale qlm runs in, without a call per
// character.
bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned HexValue(char c) {
    return c <= '9' ? static_cast<unsigned>(c - '0') : static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

} // namespace

Result<void, std::string> ElementInput::ReadInto(const CTableModule& module, int element,
                                                 std::string_view value, InputRules rules,
                                                 std::span<uint8_t> out) {
    const ModuleElement& e = *module.m_elements[static_cast<size_t>(element)];
    if (rules == InputRules::Strict) {
        switch (ElementCodec::KindOf(e.style)) {
        case ElementKind::Dropbox:
            break;
        case ElementKind::HexArray:
            return ReadStrictHexArray(e, value, out);
        case ElementKind::Text:
            return ReadStrictText(module, e, value, out);
        default:
            return ReadStrictNumber(e, value, out);
        }
    }
    const Bytes bytes = Read(module, element, std::string(value), rules);
    if (!bytes) return Written::Failure(bytes.Error());
    std::copy(bytes.Value().begin(), bytes.Value().end(), out.begin());
    return Written::Success();
}

ElementInput::Written ElementInput::ReadStrictNumber(const ModuleElement& e, std::string_view value,
                                                     std::span<uint8_t> out) {
    const ElementKind kind = ElementCodec::KindOf(e.style);
    const unsigned bits = 8 * e.size;
    const bool isSigned = kind == ElementKind::SignedNumber;
    const int64_t max = isSigned ? (int64_t{1} << (bits - 1)) - 1 : (int64_t{1} << bits) - 1;
    const int64_t min = isSigned ? -(int64_t{1} << (bits - 1)) : 0;
    const bool negative = value.starts_with('-');
    // The minus sign is only ever one character in front of a whole number;
    // StrictNumber refuses everything else a strtoul would skip or stop at.
    const std::optional<uint32_t> magnitude = StrictNumber::Parse(value.substr(negative ? 1 : 0));
    const int64_t number = magnitude ? (negative ? -int64_t{*magnitude} : int64_t{*magnitude}) : 0;
    if (!magnitude || number < min || number > max) {
        const bool hex = kind == ElementKind::HexNumber;
        return Written::Failure(StrictNumberText(e.name, value, Decimal(min), hex ? Hex(max) : Decimal(max)));
    }
    NumberCodec::EncodeUnsigned(static_cast<uint32_t>(number), out);
    return Written::Success();
}

ElementInput::Written ElementInput::ReadStrictHexArray(const ModuleElement& e, std::string_view value,
                                                       std::span<uint8_t> out) {
    // Two digits per byte and one separator between them that is not itself
    // a digit, so "ABCDE" is refused instead of read as "BC DE". Each byte
    // is written as its group passes, which is exactly what the form's rule
    // reads from groups this clean; a refusal leaves `out` undefined.
    bool ok = e.size > 0 && value.size() == 3 * uint64_t{e.size} - 1;
    for (size_t k = 0; ok && k < e.size; ++k) {
        const char high = value[3 * k];
        const char low = value[3 * k + 1];
        ok = IsHexDigit(high) && IsHexDigit(low) &&
             (3 * k + 2 == value.size() || !IsHexDigit(value[3 * k + 2]));
        out[k] = static_cast<uint8_t>(HexValue(high) << 4 | HexValue(low));
    }
    if (!ok) return Written::Failure(StrictHexArrayText(e.name, value, e.size));
    return Written::Success();
}

ElementInput::Written ElementInput::ReadStrictText(const CTableModule& module, const ModuleElement& e,
                                                   std::string_view value, std::span<uint8_t> out) {
    if (value.size() > e.size) return Written::Failure(QlmTextTooLongText(e.name, value.size(), e.size));
    // A character encodes when its code shows as that character again;
    // otherwise the ROM would hold something other than what was typed.
    std::fill(out.begin(), out.end(), uint8_t{0});
    for (size_t k = 0; k < value.size(); ++k) {
        const auto c = static_cast<unsigned char>(value[k]);
        const uint8_t code = module.m_codeOf[c];
        if (c == 0 || module.m_charOf[code] != c)
            return Written::Failure(StrictCharacterText(e.name, value[k]));
        out[k] = code;
    }
    return Written::Success();
}
