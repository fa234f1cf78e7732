// Patches made and applied over random pairs of ROMs of every shape a user
// meets: the same length with table edits, grown, shrunk, blocks moved.
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

#include "document/BpsNumber.h"
#include "document/Patch.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Pair {
    Bytes original;
    Bytes modified;
};

class Shapes {
public:
    explicit Shapes(unsigned seed) : m_random(seed) {}

    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }

    Bytes Rom(size_t length) {
        Bytes rom(length);
        for (uint8_t& b : rom)
            b = static_cast<uint8_t>(Below(4) == 0 ? 0 : Below(256));
        return rom;
    }

    // Short runs overwritten at random places, some with one repeated byte.
    void Edit(Bytes& rom, size_t edits) {
        for (size_t i = 0; i < edits && !rom.empty(); ++i) {
            const size_t at = Below(rom.size());
            const size_t length = std::min(rom.size() - at, 1 + Below(24));
            const bool run = Below(3) == 0;
            const auto value = static_cast<uint8_t>(Below(256));
            for (size_t k = at; k < at + length; ++k)
                rom[k] = run ? value : static_cast<uint8_t>(Below(256));
        }
    }

    Pair Make(int shape) {
        Pair pair{Rom(1 + Below(20000)), {}};
        pair.modified = pair.original;
        switch (shape) {
        case 0: // same length
            Edit(pair.modified, 1 + Below(40));
            break;
        case 1: { // grown
            const Bytes tail = Rom(1 + Below(3000));
            pair.modified.insert(pair.modified.end(), tail.begin(), tail.end());
            Edit(pair.modified, Below(10));
            break;
        }
        case 2: // shrunk
            pair.modified.resize(Below(pair.modified.size()));
            Edit(pair.modified, Below(10));
            break;
        case 3: { // a block moved elsewhere, and a few bytes inserted
            const size_t length = std::min<size_t>(pair.original.size() / 3, 300 + Below(3000));
            const size_t from = Below(pair.original.size() - length + 1);
            const size_t to = Below(pair.original.size() - length + 1);
            std::copy_n(pair.original.begin() + static_cast<long>(from), length,
                        pair.modified.begin() + static_cast<long>(to));
            pair.modified.insert(pair.modified.begin() + static_cast<long>(Below(pair.modified.size())), 3,
                                 0x5A);
            break;
        }
        default: // to and from nothing
            (Below(2) == 0 ? pair.original : pair.modified).clear();
            break;
        }
        return pair;
    }

private:
    std::mt19937 m_random;
};

// The size of the plainest BPS patch: unchanged stretches read from the
// source, changed ones carried.
size_t LinearSize(const Bytes& source, const Bytes& target) {
    size_t size = 4 + BpsNumber::Length(source.size()) + BpsNumber::Length(target.size()) + 1 + 12;
    size_t at = 0;
    while (at < target.size()) {
        const bool same = at < source.size() && source[at] == target[at];
        size_t end = at;
        while (end < target.size() && (end < source.size() && source[end] == target[end]) == same)
            ++end;
        size += BpsNumber::Length(((end - at - 1) << 2) | (same ? 0 : 1)) + (same ? 0 : end - at);
        at = end;
    }
    return size;
}

Bytes RoundTrip(PatchFormat format, const Pair& pair, std::string& patch) {
    patch.clear();
    const auto written = Patch::Write(format, pair.original, pair.modified, [&patch](std::string_view block) {
        patch.append(block);
        return true;
    });
    EXPECT_TRUE(written) << written.Error().Text();
    const auto applied =
            Patch::Apply({reinterpret_cast<const uint8_t*>(patch.data()), patch.size()}, pair.original);
    EXPECT_TRUE(applied) << applied.Error().Text();
    return applied ? applied.Value() : Bytes();
}

TEST(PatchRoundTrip, ApplyingTheMadePatchGivesTheModifiedRom) {
    Shapes shapes(20261207);
    size_t movedBps = 0;
    size_t movedLinear = 0;
    for (int round = 0; round < 40; ++round) {
        for (int shape = 0; shape < 5; ++shape) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", shape " << shape);
            const Pair pair = shapes.Make(shape);
            std::string patch;
            EXPECT_EQ(pair.modified, RoundTrip(PatchFormat::Ips, pair, patch));
            EXPECT_EQ(pair.modified, RoundTrip(PatchFormat::Bps, pair, patch));
            const size_t linear = LinearSize(pair.original, pair.modified);
            EXPECT_LE(patch.size(), linear);
            if (shape == 3) {
                movedBps += patch.size();
                movedLinear += linear;
            }
        }
    }
    // Moved blocks are copied from the source rather than carried.
    EXPECT_LT(movedBps * 4, movedLinear);
}

TEST(PatchRoundTrip, FormatFromTheName) {
    EXPECT_EQ(PatchFormat::Ips, Patch::FormatOfName("dir.bps/hack.IPS"));
    EXPECT_EQ(PatchFormat::Bps, Patch::FormatOfName("hack.bps"));
    EXPECT_EQ(std::nullopt, Patch::FormatOfName("dir.bps/hack"));
    EXPECT_EQ(std::nullopt, Patch::FormatOfName("hack.ups"));
}

} // namespace
