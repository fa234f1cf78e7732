#include "document/ByteRuns.h"

#include <cstring>

size_t ByteRuns::FirstDifference(std::span<const uint8_t> a, std::span<const uint8_t> b, size_t from,
                                 size_t to) {
    // A cache line at a time, the eight words folded into one test that the
    // compiler turns into vector compares; then a word, then a byte at a
    // time to find the byte. Two ROMs that differ in 1% of their bytes are
    // then compared at close to memory speed.
    constexpr size_t kLine = 64;
    size_t at = from;
    while (to - at >= kLine) {
        uint64_t differ = 0;
        for (size_t word = 0; word < kLine; word += 8) {
            uint64_t x = 0;
            uint64_t y = 0;
            std::memcpy(&x, a.data() + at + word, 8);
            std::memcpy(&y, b.data() + at + word, 8);
            differ |= x ^ y;
        }
        if (differ != 0) break;
        at += kLine;
    }
    while (to - at >= 8) {
        uint64_t x = 0;
        uint64_t y = 0;
        std::memcpy(&x, a.data() + at, 8);
        std::memcpy(&y, b.data() + at, 8);
        if (x != y) break;
        at += 8;
    }
    while (at < to && a[at] == b[at])
        ++at;
    return at;
}

size_t ByteRuns::RunLength(std::span<const uint8_t> bytes, size_t from, size_t to) {
    size_t at = from + 1;
    while (at < to && bytes[at] == bytes[from])
        ++at;
    return at - from;
}
