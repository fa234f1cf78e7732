// IPS patches worked out by hand from the format, byte for byte, and the
// damaged patches a reader must refuse.
#include "document/IpsPatch.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Of(std::string_view text) {
    return {text.begin(), text.end()};
}

std::string Text(const Bytes& bytes) {
    return {bytes.begin(), bytes.end()};
}

std::string Made(const Bytes& original, const Bytes& modified) {
    const auto patch = IpsPatch::Create(original, modified);
    EXPECT_TRUE(patch) << patch.Error().Text();
    return patch ? patch.Value() : std::string();
}

// Bytes that never repeat their neighbour and are never zero, so no run
// record can stand in for them.
Bytes Varied(size_t length) {
    Bytes bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<uint8_t>(1 + i % 251);
    return bytes;
}

struct Case {
    const char* name;
    Bytes original;
    Bytes modified;
    std::string patch;
};

TEST(IpsPatch, SmallCasesByteForByte) {
    using namespace std::string_literals;
    Bytes runBase(32);
    Bytes run = runBase;
    std::fill(run.begin() + 4, run.begin() + 24, 0xAA);
    const Case cases[] = {
            {"unchanged", Of("abcd"), Of("abcd"), "PATCHEOF"},
            {"one byte", Of("abcd"), Of("abXd"), "PATCH\0\0\x02\0\x01XEOF"s},
            // Two changes one byte apart share a record: carrying the byte
            // between costs less than a second header.
            {"close changes", Of("abcdefgh"), Of("aXcXefgh"), "PATCH\0\0\x01\0\x03XcXEOF"s},
            {"far changes", Of("abcdefghij"), Of("Xbcdefghi!"), "PATCH\0\0\0\0\x01X\0\0\x09\0\x01!EOF"s},
            {"run", runBase, run,
             "PATCH\0\0\x04\0\0\0\x14\xAA"
             "EOF"s},
            {"growth", Of("abcd"), Of("abcd\x01\x02"),
             "PATCH\0\0\x04\0\x02\x01\x02"
             "EOF"s},
            {"truncation", Of("abcdefgh"), Of("abcde"), "PATCHEOF\0\0\x05"s},
            {"truncation to nothing", Of("ab"), Bytes(), "PATCHEOF\0\0\0"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.patch, Made(c.original, c.modified));
        const auto applied = IpsPatch::Apply(Of(c.patch), c.original);
        ASSERT_TRUE(applied) << applied.Error().Text();
        EXPECT_EQ(c.modified, applied.Value());
    }
}

TEST(IpsPatch, RecordAtTheOffsetThatSpellsEofStartsOneByteEarlier) {
    using namespace std::string_literals;
    Bytes original(0x454F60, 0x11);
    Bytes modified = original;
    modified[0x454F46] = 0x22;
    EXPECT_EQ("PATCH\x45\x4F\x45\0\x02\x11\x22"
              "EOF"s,
              Made(original, modified));

    // A run there gives up its first byte to a two-byte record.
    std::fill(modified.begin() + 0x454F46, modified.begin() + 0x454F46 + 20, 0x33);
    EXPECT_EQ("PATCH\x45\x4F\x45\0\x02\x11\x33\x45\x4F\x47\0\0\0\x13\x33"
              "EOF"s,
              Made(original, modified));
    const auto applied = IpsPatch::Apply(Of(Made(original, modified)), original);
    ASSERT_TRUE(applied);
    EXPECT_EQ(modified, applied.Value());
}

TEST(IpsPatch, LongChangeSplitsIntoRecordsOfAtMost0xFFFF) {
    const Bytes original(0x20000);
    Bytes modified = original;
    const Bytes varied = Varied(0x10000);
    std::copy(varied.begin(), varied.end(), modified.begin() + 0x10);
    const std::string patch = Made(original, modified);
    ASSERT_EQ(5u + 5 + 0xFFFF + 5 + 1 + 3, patch.size());
    EXPECT_EQ(std::string("\0\0\x10\xFF\xFF", 5), patch.substr(5, 5));
    EXPECT_EQ(std::string("\x01\0\x0F\0\x01", 5), patch.substr(10 + 0xFFFF, 5));
    EXPECT_EQ(Text(Bytes(varied.begin(), varied.end() - 1)), patch.substr(10, 0xFFFF));
    EXPECT_EQ(static_cast<char>(varied.back()), patch[15 + 0xFFFF]);
}

TEST(IpsPatch, ChangesAt16MiBAreRefusedNamingBps) {
    const size_t reach = IpsPatch::kReach;
    Bytes original(reach + 4);
    Bytes changed = original;
    changed[reach + 2] = 1;
    Bytes lastReachable = original;
    lastReachable[reach - 1] = 1;
    const Bytes grown(reach + 1);
    const Bytes shrunk(reach);

    struct Refusal {
        const char* name;
        const Bytes& original;
        const Bytes& modified;
        uint64_t at;
    };
    const Bytes exact(reach);
    const Refusal refusals[] = {
            {"change beyond", original, changed, reach + 2},
            {"growth to 16 MiB + 1", exact, grown, reach},
            {"cut to a 16 MiB length", original, shrunk, reach},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        const auto patch = IpsPatch::Create(r.original, r.modified);
        ASSERT_FALSE(patch);
        EXPECT_EQ((PatchFailure{PatchFailure::Kind::OutOfIpsReach, r.at}), patch.Error());
        EXPECT_NE(std::string::npos, patch.Error().Text().find("BPS"));
    }
    const auto reachable = IpsPatch::Create(original, lastReachable);
    ASSERT_TRUE(reachable);
    EXPECT_EQ(std::string("PATCH\xFF\xFF\xFF\0\x01\x01"
                          "EOF",
                          14),
              reachable.Value());
}

// Patches from other makers may repeat or reorder records: a later record
// lies over an earlier one, whether the target is streamed or made whole.
TEST(IpsPatch, RecordsInAnyOrderStreamedOrWhole) {
    using namespace std::string_literals;
    struct Order {
        const char* name;
        std::string patch;
        std::string target;
    };
    const Order orders[] = {
            {"in order, run, growth past a gap, truncated",
             "PATCH\0\0\x01\0\x02XY\0\0\x04\0\0\0\x03R\0\0\x0C\0\x01GEOF\0\0\x0C"s, "0XY3RRR789\0\0"s},
            {"backwards and overlapping",
             "PATCH\0\0\x04\0\x02XY\0\0\0\0\x05"
             "abcde\0\0\x02\0\x01ZEOF"s,
             "abZdeY6789"s},
    };
    for (const Order& o : orders) {
        SCOPED_TRACE(o.name);
        const auto whole = IpsPatch::Apply(Of(o.patch), Of("0123456789"));
        ASSERT_TRUE(whole) << whole.Error().Text();
        EXPECT_EQ(o.target, Text(whole.Value()));
        std::string streamed;
        const auto made = IpsPatch::Apply(Of(o.patch), Of("0123456789"),
                                          [&streamed](std::span<const std::span<const uint8_t>> pieces) {
                                              for (const std::span<const uint8_t> piece : pieces)
                                                  streamed.append(piece.begin(), piece.end());
                                              return true;
                                          });
        ASSERT_TRUE(made) << made.Error().Text();
        EXPECT_EQ(o.target, streamed);
    }
}

TEST(IpsPatch, ApplyGrowsWithZerosAndRefusesDamagedPatches) {
    using namespace std::string_literals;
    const auto grown = IpsPatch::Apply(Of("PATCH\0\0\x06\0\x01ZEOF"s), Of("ab"));
    ASSERT_TRUE(grown);
    EXPECT_EQ(Of("ab\0\0\0\0Z"s), grown.Value());

    using Kind = PatchFailure::Kind;
    struct Damaged {
        std::string patch;
        PatchFailure failure;
    };
    const Damaged damaged[] = {
            {"PATC", {Kind::UnknownKind}},
            {"IPS!!EOF", {Kind::UnknownKind}},
            {"PATCH", {Kind::Truncated, 5}},
            {"PATCH\0\0\x01\0"s, {Kind::Truncated, 5}},
            {"PATCH\0\0\x01\0\x04xyz"s, {Kind::Truncated, 5}},
            {"PATCH\0\0\x01\0\0\0\x04"s, {Kind::Truncated, 5}},
            {"PATCH\0\0\x01\0\x01xEO"s, {Kind::Truncated, 11}},
            {"PATCHEOF\0\0\x09"s, {Kind::TruncationBeyondEnd, 9, 0, 4}},
            {"PATCHEOF!"s, {Kind::TrailingBytes, 8}},
            {"PATCHEOF\0\0\x01\0"s, {Kind::TrailingBytes, 8}},
    };
    for (const Damaged& d : damaged) {
        SCOPED_TRACE(d.patch);
        const auto applied = IpsPatch::Apply(Of(d.patch), Of("abcd"));
        ASSERT_FALSE(applied);
        EXPECT_EQ(d.failure, applied.Error());
    }
}

} // namespace
