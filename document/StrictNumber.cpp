#include "document/StrictNumber.h"

#include <cctype>
#include <charconv>

namespace {

bool AllDigitsOf(std::string_view digits, int base) {
    if (digits.empty()) return false;
    for (char c : digits) {
        const bool ok = base == 16  ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                        : base == 8 ? (c >= '0' && c <= '7')
                                    : (c >= '0' && c <= '9');
        if (!ok) return false;
    }
    return true;
}

} // namespace

std::optional<uint32_t> StrictNumber::Parse(std::string_view text) {
    bool wellFormed = false;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        wellFormed = AllDigitsOf(text.substr(2), 16);
    else if (!text.empty() && text[0] == '0')
        wellFormed = AllDigitsOf(text, 8);
    else
        wellFormed = AllDigitsOf(text, 10);
    if (!wellFormed) return std::nullopt;
    // The digits are checked: only the value and its overflow are left.
    const bool hex = text.size() > 2 && (text[1] == 'x' || text[1] == 'X');
    const std::string_view digits = hex ? text.substr(2) : text;
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                              hex              ? 16
                                              : text[0] == '0' ? 8
                                                               : 10);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}
