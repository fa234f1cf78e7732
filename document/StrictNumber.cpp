#include "document/StrictNumber.h"

namespace {

// The digit's value in `base`, or the base itself for a character that is
// not one of its digits.
uint32_t DigitValue(char c, uint32_t base) {
    uint32_t value = base;
    if (c >= '0' && c <= '9')
        value = static_cast<uint32_t>(c - '0');
    else if ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))
        value = static_cast<uint32_t>((c | 0x20) - 'a' + 10);
    return value < base ? value : base;
}

} // namespace

// One pass, checking each digit as it is added: an import reads a million
// numbers through here.
std::optional<uint32_t> StrictNumber::Parse(std::string_view text) {
    uint32_t base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() && text[0] == '0') {
        base = 8;
    }
    if (text.empty()) return std::nullopt;
    uint64_t value = 0;
    for (const char c : text) {
        const uint32_t digit = DigitValue(c, base);
        value = value * base + digit;
        if (digit == base || value > UINT32_MAX) return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}
