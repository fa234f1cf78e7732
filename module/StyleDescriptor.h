#pragma once

#include <cstdint>
#include <string_view>

// The four-character style line of an element.
class StyleDescriptor {
public:
    static constexpr size_t minLength = 4;
    // Bits from the first four characters; later characters are ignored.
    static uint8_t Bits(std::string_view line);
    // A dropbox that is also text, hex array or signed.
    static bool Contradictory(uint8_t style);
    // Numbers are 1 to 4 bytes; text and hex arrays may be any size.
    static bool TooWideForNumber(uint8_t style, uint32_t size);
};
