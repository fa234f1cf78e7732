#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The CRC32 of zip, gzip and BPS. Every byte of a ROM passes through it on
// each patch made or applied, so it comes from ISA-L, whose carry-less
// multiply folding runs several times faster than a table-driven loop.
class Crc32 {
public:
    // The CRC32 of `crc`'s bytes followed by `bytes`; 0 for nothing yet.
    static uint32_t Of(std::span<const uint8_t> bytes, uint32_t crc = 0);
    static uint32_t Of(std::string_view bytes, uint32_t crc = 0);
};
