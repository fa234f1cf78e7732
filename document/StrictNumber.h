#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A number written on qlm's command line where a stray character must not
// quietly become 0 or be cut off: the whole text must be one unsigned number
// in the module files' notation (decimal, 0x hexadecimal or 0 octal) that
// fits in 32 bits.
class StrictNumber {
public:
    static std::optional<uint32_t> Parse(std::string_view text);
};
