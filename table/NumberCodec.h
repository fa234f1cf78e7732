#pragma once

#include <cstdint>
#include <span>

// Little-endian numbers of 1 to 4 bytes. Only the first four bytes of a
// longer span count, and an empty span decodes as 0.
class NumberCodec {
public:
    static uint32_t DecodeUnsigned(std::span<const uint8_t> bytes);
    // Sign-extended from the top bit of the last byte.
    static int32_t DecodeSigned(std::span<const uint8_t> bytes);
    // Writes the low dest.size() bytes (at most 4) of the value.
    static void EncodeUnsigned(uint32_t value, std::span<uint8_t> dest);
};
