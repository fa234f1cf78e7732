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
};
