#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The CRC32 of zip, gzip and BPS, from zlib. Callers feed it large blocks:
// zlib's folding is only fast over many bytes at a time.
class Crc32 {
public:
    // The CRC32 of `crc`'s bytes followed by `bytes`; 0 for nothing yet.
    static uint32_t Of(std::span<const uint8_t> bytes, uint32_t crc = 0);
    static uint32_t Of(std::string_view bytes, uint32_t crc = 0);
    // The CRC32 of one stretch followed by another, from the two CRC32s and
    // the second's length: zlib's crc32_combine, with the powers it needs
    // kept from call to call, so that a call costs a few multiplications
    // rather than a few hundred.
    static uint32_t Combine(uint32_t first, uint32_t second, uint64_t secondLength);
};
