#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The two scans every patch writer makes: over the long stretches two ROMs
// share, and over runs of one repeated byte.
class ByteRuns {
public:
    // The first index from `from` up to `to` where `a` and `b` differ, or
    // `to`; both must be at least `to` long.
    static size_t FirstDifference(std::span<const uint8_t> a, std::span<const uint8_t> b, size_t from,
                                  size_t to);
    // How many bytes from `from` on, up to `to`, equal the one at `from`.
    static size_t RunLength(std::span<const uint8_t> bytes, size_t from, size_t to);
};
