// The target's CRC32 found from its source's must be the one zlib finds
// over the target's own bytes, for any stretches and any lengths.
#include "document/CopyCrc.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>
#include <zlib.h>

#include "document/Crc32.h"

namespace {

TEST(Crc32Test, CombineAgreesWithZlibAtEveryDigitsEdge) {
    const uint32_t first = 0x1234ABCD;
    const uint32_t second = 0x89ABCDEF;
    for (const uint64_t length :
         {0ull, 1ull, 4095ull, 4096ull, 4097ull, 0xFFFFFFull, 0x1000000ull, 0x100000000ull, 0xFFFFFFFFFull,
          0x1000000000ull, 0x123456789Aull, 0xFFFFFFFFFFFFull, 0x1000000000000ull})
        EXPECT_EQ(crc32_combine(first, second, static_cast<z_off_t>(length)),
                  Crc32::Combine(first, second, length))
                << length;
}

TEST(CopyCrcTest, MatchesTheTargetsOwnCrcOverRandomStretches) {
    std::mt19937 random(7);
    auto below = [&](size_t n) {
        return std::uniform_int_distribution<size_t>(0, n - 1)(random);
    };
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> source(1 + below(5000));
        for (uint8_t& b : source)
            b = static_cast<uint8_t>(below(256));
        std::vector<uint8_t> target = source;
        CopyCrc crc;
        // Stretches in order, some touching, some at either end, some empty.
        for (size_t at = below(3); at < target.size(); at += below(600)) {
            const size_t length = std::min(target.size() - at, below(40));
            for (size_t k = at; k < at + length; ++k)
                target[k] = static_cast<uint8_t>(below(256));
            crc.Differ(at, std::span(source).subspan(at, length), std::span(target).subspan(at, length));
            at += length;
        }
        ASSERT_EQ(Crc32::Of(target), crc.Of(Crc32::Of(source), source.size())) << round;
    }
}

} // namespace
