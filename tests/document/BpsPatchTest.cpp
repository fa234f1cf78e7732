// BPS numbers, actions and checksums worked out by hand from the format, and
// the damaged or hostile patches a reader must refuse.
#include "document/BpsPatch.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <zlib.h>

#include "document/BpsNumber.h"
#include "document/PatchOutput.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Kind = PatchFailure::Kind;

Bytes Of(std::string_view text) {
    return {text.begin(), text.end()};
}

void PutCrc(Bytes& bytes, uint32_t crc) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(crc >> shift));
}

uint32_t Crc(const Bytes& bytes) {
    return static_cast<uint32_t>(crc32(0, bytes.data(), static_cast<uInt>(bytes.size())));
}

// A patch body with the three checksums after it, so that a case reaches
// the step it is about rather than the patch's own checksum.
Bytes Sealed(const Bytes& body, uint32_t sourceCrc, uint32_t targetCrc) {
    Bytes patch = body;
    PutCrc(patch, sourceCrc);
    PutCrc(patch, targetCrc);
    PutCrc(patch, Crc(patch));
    return patch;
}

// "123456789" is the text whose CRC32 every description of the checksum
// quotes: CBF43926.
const Bytes kSource = Of("123456789");
constexpr uint32_t kSourceCrc = 0xCBF43926;

// Every action: a source read, bytes carried, source copies forward and
// back, a target copy of earlier bytes and one that reads its own output.
const Bytes kEveryActionBody = {'B',  'P',  'S', '1', 0x89, 0x8F, 0x80,
                                0x88,            // SourceRead 3: "123"
                                0x85, 'a',  'b', // TargetRead 2: "ab"
                                0x86, 0x8C,      // SourceCopy 2 from +6: "78"
                                0x82, 0x91,      // SourceCopy 1 from -8: "1"
                                0x8F, 0x86,      // TargetCopy 4 from +3: "ab78"
                                0x8B, 0x88};     // TargetCopy 3 from +4: "888"
const Bytes kEveryActionTarget = Of("123ab781ab78888");

TEST(BpsNumber, SpellingsAtTheEdgesOfEachLength) {
    struct Case {
        uint64_t value;
        Bytes bytes;
    };
    const Case cases[] = {
            {0, {0x80}},
            {127, {0xFF}},
            {128, {0x00, 0x80}},
            {16511, {0x7F, 0xFF}},
            {16512, {0x00, 0x00, 0x80}},
            {uint64_t{1} << 32, {0x00, 0x7F, 0x7E, 0x7E, 0x8E}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        std::string written;
        const PatchOutput::Sink sink = [&written](std::string_view block) {
            written.append(block);
            return true;
        };
        PatchOutput out(sink);
        BpsNumber::Write(out, c.value);
        ASSERT_TRUE(out.Finish());
        EXPECT_EQ(Bytes(written.begin(), written.end()), c.bytes);
        EXPECT_EQ(c.bytes.size(), BpsNumber::Length(c.value));
        size_t at = 0;
        const auto read = BpsNumber::Read(c.bytes, at);
        ASSERT_TRUE(read);
        EXPECT_EQ(c.value, read.Value());
        EXPECT_EQ(c.bytes.size(), at);
    }
    // Past 64 bits, and cut off before its last byte.
    size_t at = 0;
    EXPECT_EQ(Kind::NumberTooLarge, BpsNumber::Read(Bytes(11, 0x7F), at).Error().kind);
    at = 0;
    EXPECT_EQ(Kind::Truncated, BpsNumber::Read(Bytes{0x00, 0x7F}, at).Error().kind);
}

TEST(BpsPatch, EveryActionApplies) {
    const auto made = BpsPatch::Apply(Sealed(kEveryActionBody, kSourceCrc, Crc(kEveryActionTarget)), kSource);
    ASSERT_TRUE(made) << made.Error().Text();
    EXPECT_EQ(kEveryActionTarget, made.Value());
}

TEST(BpsPatch, WriterCarriesChangesAndReadsTheRestWithTheThreeChecksums) {
    const Bytes target = Of("123xy6789");
    const auto patch = BpsPatch::Create(kSource, target);
    ASSERT_TRUE(patch);
    const Bytes body = {'B', 'P', 'S', '1', 0x89, 0x89, 0x80, 0x88, 0x85, 'x', 'y', 0x8C};
    ASSERT_EQ(body.size() + 12, patch.Value().size());
    const Bytes bytes(patch.Value().begin(), patch.Value().end());
    EXPECT_EQ(body, Bytes(bytes.begin(), bytes.begin() + static_cast<long>(body.size())));
    EXPECT_EQ(Sealed(body, kSourceCrc, Crc(target)), bytes);
}

TEST(BpsPatch, WriterCopiesRunsFromTheTargetItself) {
    Bytes source(64, 'a');
    Bytes target = source;
    std::fill(target.begin() + 8, target.begin() + 48, 'z');
    const auto patch = BpsPatch::Create(source, target);
    ASSERT_TRUE(patch);
    // SourceRead 8, TargetRead 1 "z", TargetCopy 39 from the "z" (+8), SourceRead 16.
    const Bytes body = {'B', 'P', 'S', '1', 0xC0, 0xC0, 0x80, 0x9C, 0x81, 'z', 0x1B, 0x80, 0x90, 0xBC};
    EXPECT_EQ(Sealed(body, Crc(source), Crc(target)), Bytes(patch.Value().begin(), patch.Value().end()));
}

TEST(BpsPatch, ChecksumsRefuseTheWrongFileAndDamage) {
    const uint32_t targetCrc = Crc(kEveryActionTarget);
    const Bytes good = Sealed(kEveryActionBody, kSourceCrc, targetCrc);

    Bytes flipped = good;
    flipped[8] ^= 1;
    const auto damaged = BpsPatch::Apply(flipped, kSource);
    EXPECT_EQ(Kind::Damaged, damaged.Error().kind);
    EXPECT_EQ(Crc(Bytes(good.begin(), good.end() - 4)), damaged.Error().expected);

    const Bytes other = Of("987654321");
    const auto wrong = BpsPatch::Apply(good, other);
    EXPECT_EQ((PatchFailure{Kind::OtherSource, 0, kSourceCrc, Crc(other)}), wrong.Error());
    EXPECT_NE(std::string::npos, wrong.Error().Text().find("CBF43926"));

    const auto again = BpsPatch::Apply(good, kEveryActionTarget);
    EXPECT_EQ(Kind::AlreadyApplied, again.Error().kind);

    const auto result = BpsPatch::Apply(Sealed(kEveryActionBody, kSourceCrc, targetCrc ^ 1), kSource);
    EXPECT_EQ((PatchFailure{Kind::ResultDamaged, 0, targetCrc ^ 1, targetCrc}), result.Error());
}

TEST(BpsPatch, HostilePatchesAreRefusedNeverFollowed) {
    struct Hostile {
        const char* name;
        Bytes body;
        Kind kind;
    };
    const auto with = [](std::initializer_list<uint8_t> actions) {
        const Bytes header = {'B', 'P', 'S', '1', 0x89, 0x8F, 0x80};
        Bytes body(header.size() + actions.size());
        std::copy(actions.begin(), actions.end(), std::copy(header.begin(), header.end(), body.begin()));
        return body;
    };
    const Hostile cases[] = {
            {"source read past the source", with({0x88, 0xA4}), Kind::OutsideSource},
            {"source copy cursor before the start", with({0x82, 0x83}), Kind::OutsideSource},
            {"source copy past the end", with({0x8E, 0x8C}), Kind::OutsideSource},
            {"target copy before anything is made", with({0x83, 0x80}), Kind::OutsideTarget},
            {"target copy ahead of what is made", with({0x88, 0x83, 0x86}), Kind::OutsideTarget},
            {"action past the declared target", with({0xBC}), Kind::OutsideTarget},
            {"carried bytes cut short", with({0x8D, 'a', 'b'}), Kind::Truncated},
            {"copy without its cursor move", with({0x82}), Kind::Truncated},
            {"a number of eleven bytes",
             with({0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0xFF}), Kind::NumberTooLarge},
            {"too few actions", with({0x88}), Kind::TargetShort},
            {"metadata longer than the patch", {'B', 'P', 'S', '1', 0x89, 0x89, 0xFF}, Kind::Truncated},
            {"a target of 4 GiB and one byte",
             {'B', 'P', 'S', '1', 0x89, 0x01, 0x7F, 0x7E, 0x7E, 0x8E, 0x80},
             Kind::TooLarge},
    };
    for (const Hostile& h : cases) {
        SCOPED_TRACE(h.name);
        const auto made = BpsPatch::Apply(Sealed(h.body, kSourceCrc, 0), kSource);
        ASSERT_FALSE(made);
        EXPECT_EQ(h.kind, made.Error().kind) << made.Error().Text();
    }
    // The bound a caller sets is kept as well.
    const Bytes body = {'B', 'P', 'S', '1', 0x89, 0x8F, 0x80};
    EXPECT_EQ(Kind::TooLarge, BpsPatch::Apply(Sealed(body, kSourceCrc, 0), kSource, 14).Error().kind);
    EXPECT_EQ(Kind::Truncated, BpsPatch::Apply(Of("BPS1\x80\x80\x80"), kSource).Error().kind);
    EXPECT_EQ(Kind::UnknownKind, BpsPatch::Apply(Of("PATCHEOF"), kSource).Error().kind);
}

// A ROM larger than the blocks a streamed apply hands on, made by a patch
// whose target copy reads back from blocks already handed on and runs on
// into the block being made.
TEST(BpsPatch, StreamedApplyReadsBackWhatItHandedOn) {
    const size_t block = BpsPatch::kStreamBlock;
    Bytes source(block * 5 / 2);
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<uint8_t>((i * 2654435761u) >> 13);
    const uint64_t copied = block + 100;
    Bytes target = source;
    for (size_t i = 0; i < copied; ++i)
        target.push_back(target[i]);

    std::string header;
    const PatchOutput::Sink sink = [&header](std::string_view part) {
        header.append(part);
        return true;
    };
    PatchOutput out(sink);
    out.Bytes(std::string_view("BPS1"));
    for (const uint64_t number : {uint64_t{source.size()}, uint64_t{target.size()}, uint64_t{0},
                                  (source.size() - 1) << 2, ((copied - 1) << 2) | 3, uint64_t{0}})
        BpsNumber::Write(out, number);
    ASSERT_TRUE(out.Finish());
    const Bytes patch = Sealed(Of(header), Crc(source), Crc(target));

    std::string made;
    const PatchTarget::Sink keep = [&made](std::span<const std::span<const uint8_t>> pieces) {
        for (const std::span<const uint8_t> piece : pieces)
            made.append(piece.begin(), piece.end());
        return true;
    };
    const PatchTarget::ReadBack readBack = [&made](uint64_t offset, std::span<uint8_t> into) {
        if (offset + into.size() > made.size()) return false;
        std::copy_n(made.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
        return true;
    };
    const auto streamed = BpsPatch::Apply(patch, source, keep, readBack);
    ASSERT_TRUE(streamed) << streamed.Error().Text();
    EXPECT_TRUE(Of(made) == target);
    const auto whole = BpsPatch::Apply(patch, source);
    ASSERT_TRUE(whole);
    EXPECT_TRUE(whole.Value() == target);

    made.clear();
    const PatchTarget::Sink refuse = [](std::span<const std::span<const uint8_t>>) {
        return false;
    };
    const auto refused = BpsPatch::Apply(patch, source, refuse, readBack);
    ASSERT_FALSE(refused);
    EXPECT_EQ(Kind::NotWritten, refused.Error().kind);
}

} // namespace
