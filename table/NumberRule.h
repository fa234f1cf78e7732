#pragma once

#include <cstdint>
#include <string_view>

// How numbers are read everywhere in Quillmoor, the way strtoul reads them:
// leading white space, an optional sign, then for base 0 "0x"/"0X" for
// hexadecimal, a leading "0" for octal, else decimal (base 16 also skips an
// optional "0x"). Reading stops at the first character that cannot continue
// the number; no digits give 0; values above 32 bits saturate; a "-" negates
// modulo 2^32.
class NumberRule {
public:
    struct Result {
        uint32_t value = 0;
        bool negative = false; // a "-" stood before digits
        bool overflow = false; // the digits exceeded 32 bits
    };

    static Result Parse(std::string_view text, int base);
    // Parse(text, base).value.
    static uint32_t ToUnsigned(std::string_view text, int base = 0);
};
