#include "table/ElementCodec.h"

#include <cstdio>

#include "table/ElementStyle.h"
#include "table/HexText.h"
#include "table/NumberCodec.h"
#include "table/NumberRule.h"

namespace {

std::string Format(const char* format, uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string FormatSigned(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%i", value);
    return text;
}

} // namespace

ElementKind ElementCodec::KindOf(uint8_t style) {
    if (style & STYLE_DROPBOX) return ElementKind::Dropbox;
    if (style & STYLE_HEXARRAY) return ElementKind::HexArray;
    if (style & STYLE_TEXT) return ElementKind::Text;
    if (style & STYLE_HEX) return ElementKind::HexNumber;
    if (style & STYLE_SIGNED) return ElementKind::SignedNumber;
    return ElementKind::UnsignedNumber;
}

std::string ElementCodec::ShowHexArray(std::span<const uint8_t> bytes) {
    return HexText::Bytes(bytes);
}

std::string ElementCodec::ShowText(std::span<const uint8_t> bytes, const CharTable& charOf) {
    std::string text;
    for (uint8_t b : bytes) {
        uint8_t c = charOf[b];
        if (c == 0) break;
        text.push_back(static_cast<char>(c));
    }
    return text;
}

std::string ElementCodec::ShowInEdit(std::span<const uint8_t> bytes, uint8_t style, const CharTable& charOf) {
    switch (KindOf(style)) {
    case ElementKind::HexArray:
        return ShowHexArray(bytes);
    case ElementKind::Text:
        return ShowText(bytes, charOf);
    default:
        return ShowNumber(bytes, style);
    }
}

std::string ElementCodec::ShowNumber(std::span<const uint8_t> bytes, uint8_t style) {
    if (style & STYLE_HEX) return Format("0x%02X", NumberCodec::DecodeUnsigned(bytes));
    if (style & STYLE_SIGNED) return FormatSigned(NumberCodec::DecodeSigned(bytes));
    return Format("%u", NumberCodec::DecodeUnsigned(bytes));
}

int ElementCodec::ShowDropbox(std::span<const uint8_t> bytes, const std::vector<uint32_t>& values) {
    uint32_t value = NumberCodec::DecodeUnsigned(bytes);
    for (size_t i = values.size(); i-- > 0;)
        if (values[i] == value) return static_cast<int>(i);
    return -1;
}

std::string ElementCodec::DropboxItemLabel(uint32_t value, std::string_view name, uint8_t style) {
    std::string label = Format(style & STYLE_HEX ? "0x%02X" : "%u", value);
    label += " - ";
    // As "%s" would: the name ends at its first NUL byte.
    label += name.substr(0, name.find('\0'));
    return label;
}

std::optional<std::vector<uint8_t>> ElementCodec::ReadHexArray(std::string_view text, uint32_t size) {
    if (size == 0 || text.size() != 3 * static_cast<uint64_t>(size) - 1) return std::nullopt;
    std::vector<uint8_t> bytes(size);
    for (size_t k = 0; k < size; ++k)
        bytes[k] = static_cast<uint8_t>(NumberRule::ToUnsigned(text.substr(3 * k, 3), 16) & 0xFF);
    return bytes;
}

std::vector<uint8_t> ElementCodec::ReadText(std::string_view text, uint32_t size, const CharTable& codeOf) {
    std::vector<uint8_t> bytes(size, 0);
    for (size_t k = 0; k < size && k < text.size(); ++k)
        bytes[k] = codeOf[static_cast<unsigned char>(text[k])];
    return bytes;
}

std::vector<uint8_t> ElementCodec::ReadNumber(std::string_view text, uint32_t size) {
    std::vector<uint8_t> bytes(size, 0);
    NumberCodec::EncodeUnsigned(NumberRule::ToUnsigned(text, 0), bytes);
    return bytes;
}

std::optional<std::vector<uint8_t>> ElementCodec::ReadDropbox(int item, const std::vector<uint32_t>& values,
                                                              uint32_t size) {
    if (item < 0 || static_cast<size_t>(item) >= values.size()) return std::nullopt;
    std::vector<uint8_t> bytes(size, 0);
    NumberCodec::EncodeUnsigned(values[static_cast<size_t>(item)], bytes);
    return bytes;
}
