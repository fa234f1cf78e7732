#include "table/NumberRule.h"

#include <cstdint>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

// "0x" counts as a prefix only when a hexadecimal digit follows; otherwise the
// "0" alone is the number and reading stops at the "x".
bool HasHexPrefix(std::string_view s) {
    return s.size() >= 3 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X') && DigitValue(s[2]) < 16;
}

} // namespace

NumberRule::Result NumberRule::Parse(std::string_view text, int base) {
    Result result;
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool minus = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) minus = text[i++] == '-';
    std::string_view rest = text.substr(i);
    if ((base == 0 || base == 16) && HasHexPrefix(rest)) {
        base = 16;
        rest.remove_prefix(2);
    } else if (base == 0) {
        base = !rest.empty() && rest[0] == '0' ? 8 : 10;
    }
    uint64_t value = 0;
    size_t digits = 0;
    for (char c : rest) {
        int d = DigitValue(c);
        if (d >= base) break;
        ++digits;
        if (!result.overflow) {
            value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
            result.overflow = value > UINT32_MAX;
        }
    }
    if (digits == 0) return result;
    result.negative = minus;
    if (result.overflow)
        result.value = UINT32_MAX;
    else
        result.value = minus ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    return result;
}

uint32_t NumberRule::ToUnsigned(std::string_view text, int base) {
    return Parse(text, base).value;
}
