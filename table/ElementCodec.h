#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// How an element is shown, decided from its style bits in this order.
enum class ElementKind {
    Dropbox,
    HexArray,
    Text,
    HexNumber,
    SignedNumber,
    UnsignedNumber
};

using CharTable = std::array<uint8_t, 256>;

// Conversions between an element's bytes and what its control shows. Pure
// functions: no windows, no module state beyond what is passed in. Every
// Read* result has exactly the element's size in bytes.
class ElementCodec {
public:
    static ElementKind KindOf(uint8_t style);

    // "01 AB 00": two upper-case digits per byte, one blank between bytes.
    static std::string ShowHexArray(std::span<const uint8_t> bytes);
    // Each byte through charOf, one char per byte, ending before the first
    // NUL character (the control takes a NUL-terminated string).
    static std::string ShowText(std::span<const uint8_t> bytes, const CharTable& charOf);
    // By the kind of `style`: "0x%02X", "%i" or "%u" of the little-endian value.
    static std::string ShowNumber(std::span<const uint8_t> bytes, uint8_t style);
    // What the edit box of an element that is not a dropbox shows: the hex
    // array, text or number form, by the kind of `style`.
    static std::string ShowInEdit(std::span<const uint8_t> bytes, uint8_t style, const CharTable& charOf);
    // The last item whose value equals the bytes' value; -1 for none.
    static int ShowDropbox(std::span<const uint8_t> bytes, const std::vector<uint32_t>& values);
    // "0x%02X - %s" with STYLE_HEX in the style, else "%u - %s"; the name
    // ends at its first NUL byte.
    static std::string DropboxItemLabel(uint32_t value, std::string_view name, uint8_t style);

    // nullopt unless the text has exactly 3 x size - 1 characters. Each
    // three-character group is read in base 16; its low 8 bits are the byte.
    static std::optional<std::vector<uint8_t>> ReadHexArray(std::string_view text, uint32_t size);
    // Zero-filled, then one code per character through codeOf; characters
    // beyond size are ignored.
    static std::vector<uint8_t> ReadText(std::string_view text, uint32_t size, const CharTable& codeOf);
    // Read as strtoul base 0, keeping the low size bytes.
    static std::vector<uint8_t> ReadNumber(std::string_view text, uint32_t size);
    // nullopt when no item (or one that does not exist) is selected.
    static std::optional<std::vector<uint8_t>> ReadDropbox(int item, const std::vector<uint32_t>& values,
                                                           uint32_t size);
};
