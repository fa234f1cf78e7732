#include "document/BpsPatch.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <optional>

#include "document/BpsNumber.h"
#include "document/ByteRuns.h"
#include "document/CopyCrc.h"
#include "document/Crc32.h"
#include "document/HugePages.h"
#include "document/PatchTarget.h"
#include "document/TrailingCrc.h"

namespace {

using Failure = PatchFailure::Kind;
constexpr char kMagic[] = "BPS1";
constexpr size_t kFooter = 12;

enum Action : uint64_t {
    SourceRead = 0,
    TargetRead = 1,
    SourceCopy = 2,
    TargetCopy = 3,
};

uint32_t LittleEndian32(std::span<const uint8_t> bytes, size_t at) {
    return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
           uint32_t{bytes[at + 3]} << 24;
}

// A copy's cursor move, as the patch spells it: the distance, then the sign.
uint64_t DeltaCode(uint64_t from, uint64_t to) {
    return to >= from ? (to - from) << 1 : ((from - to) << 1) | 1;
}

// Where the source holds a given stretch of bytes, found by the hash of a
// window: one window every kStep bytes of the source is remembered, so the
// index costs a few per cent of the source and finds any moved block a
// little over kStep + kWindow long. Built only when the target has a
// changed stretch long enough to hold such a block.
class SourceIndex {
public:
    static constexpr size_t kWindow = 32;
    static constexpr size_t kStep = 64;

    explicit SourceIndex(std::span<const uint8_t> source) : m_source(source) {
        const size_t windows = source.size() < kWindow ? 0 : (source.size() - kWindow) / kStep + 1;
        size_t buckets = 1;
        while (buckets < windows)
            buckets <<= 1;
        m_shift = 64 - std::countr_zero(buckets);
        // A few megabytes written at random: advised into large pages
        // before the first write touches them, so they fault in a few at a
        // time instead of one per 4 KiB.
        m_buckets.reset(new uint32_t[buckets]);
        HugePages::Advise(m_buckets.get(), buckets * sizeof(uint32_t));
        std::fill_n(m_buckets.get(), buckets, 0u);
        for (size_t i = 0; i < windows; ++i)
            m_buckets[Bucket(Hash(source.data() + i * kStep))] = static_cast<uint32_t>(i * kStep + 1);
    }

    // The same sum as a byte-by-byte Horner loop, written with the powers
    // spelt out so that the products are independent: building the index
    // then runs at vector speed rather than one multiply after another.
    static uint32_t Hash(const uint8_t* window) {
        uint32_t hash = 0;
        for (size_t i = 0; i < kWindow; ++i)
            hash += window[i] * kPowers[i];
        return hash;
    }
    // The hash of the window one byte further on.
    static uint32_t Roll(uint32_t hash, uint8_t leaving, uint8_t entering) {
        return (hash - leaving * kLeavingWeight) * kMultiplier + entering;
    }

    // The offset of a source window with this hash and these bytes.
    std::optional<size_t> Find(uint32_t hash, const uint8_t* window) const {
        const uint32_t stored = m_buckets[Bucket(hash)];
        if (stored == 0) return std::nullopt;
        const size_t at = stored - 1;
        if (std::memcmp(m_source.data() + at, window, kWindow) != 0) return std::nullopt;
        return at;
    }

private:
    static constexpr uint32_t kMultiplier = 0x01000193;
    // kPowers[i] is kMultiplier to the power kWindow - 1 - i.
    static constexpr std::array<uint32_t, kWindow> kPowers = [] {
        std::array<uint32_t, kWindow> powers{};
        uint32_t power = 1;
        for (size_t i = kWindow; i-- > 0;) {
            powers[i] = power;
            power *= kMultiplier;
        }
        return powers;
    }();
    static constexpr uint32_t kLeavingWeight = kPowers[0];

    size_t Bucket(uint32_t hash) const {
        return m_shift >= 64 ? 0 : static_cast<size_t>((hash * 0x9E3779B97F4A7C15ull) >> m_shift);
    }

    std::span<const uint8_t> m_source;
    std::unique_ptr<uint32_t[]> m_buckets;
    int m_shift = 64;
};

class BpsWriter {
public:
    BpsWriter(std::span<const uint8_t> source, std::span<const uint8_t> target, PatchOutput& out)
        : m_source(source), m_target(target), m_out(out) {}

    void Write() {
        m_out.Bytes(std::string_view(kMagic, 4));
        BpsNumber::Write(m_out, m_source.size());
        BpsNumber::Write(m_out, m_target.size());
        BpsNumber::Write(m_out, 0);
        const size_t length = m_target.size();
        const size_t common = std::min(m_source.size(), length);
        TrailingCrc sourceCrc(m_source, common);
        size_t at = 0;
        // Where the bytes the CRC32 of the target has not been told of begin.
        size_t told = 0;
        while (at < length && !m_out.Failed()) {
            if (at < common && m_source[at] == m_target[at]) {
                const size_t end = Unchanged(at, common, sourceCrc);
                TellDiffering(told, at);
                told = end;
                // One unchanged byte between changed ones costs a byte
                // carried, against two action headers.
                if (end - at > 1 || !m_literal || end == length) {
                    Carry(at);
                    Action(SourceRead, end - at);
                }
                at = end;
                continue;
            }
            if (!m_literal) m_literal = at;
            if (const size_t end = Repeat(at); end != 0) {
                at = end;
            } else if (const size_t moved = Moved(at); moved != 0) {
                at = moved;
            } else {
                ++at;
            }
        }
        Carry(length);
        TellDiffering(told, common);
        m_out.LittleEndian32(sourceCrc.Whole());
        m_out.LittleEndian32(Crc32::Of(m_target.subspan(common), m_targetCrc.Of(sourceCrc.AtStop(), common)));
        m_out.LittleEndian32(m_out.Crc());
    }

private:
    // What splitting a carried stretch around a copy may cost at most in
    // action headers beyond the copy's own: a copy must save more.
    static constexpr size_t kSplitCost = 4;
    static constexpr size_t kShortestRun = 4;
    static constexpr size_t kCompareBlock = size_t{64} << 10;

    // The end of the stretch the two share from `at`, found a block at a
    // time with the source's CRC32 taken just before, so that each block
    // comes in from memory once for both.
    size_t Unchanged(size_t at, size_t common, TrailingCrc& sourceCrc) const {
        for (;;) {
            const size_t limit = std::min(common, at + kCompareBlock);
            sourceCrc.Reach(limit);
            at = ByteRuns::FirstDifference(m_source, m_target, at, limit);
            if (at < limit || limit == common) return at;
        }
    }

    void TellDiffering(size_t from, size_t to) {
        if (from < to)
            m_targetCrc.Differ(from, m_source.subspan(from, to - from), m_target.subspan(from, to - from));
    }

    void Action(uint64_t action, uint64_t length) { BpsNumber::Write(m_out, ((length - 1) << 2) | action); }

    static size_t CopyCost(uint64_t length, uint64_t delta) {
        return BpsNumber::Length(((length - 1) << 2) | TargetCopy) + BpsNumber::Length(delta);
    }

    // Writes the pending changed stretch, up to `end`, as bytes carried.
    void Carry(size_t end) {
        if (m_literal && end > *m_literal) {
            Action(TargetRead, end - *m_literal);
            m_out.Bytes(m_target.subspan(*m_literal, end - *m_literal));
        }
        m_literal.reset();
    }

    void Copy(uint64_t action, uint64_t& cursor, size_t from, size_t length) {
        Action(action, length);
        BpsNumber::Write(m_out, DeltaCode(cursor, from));
        cursor = from + length;
    }

    // A run of one byte, made by copying the target onto itself from one
    // byte back; the end of what it made, or 0.
    size_t Repeat(size_t at) {
        // Most changed bytes start no run: told apart here, without a call.
        if (m_target.size() - at < kShortestRun || m_target[at + 1] != m_target[at]) return 0;
        const size_t run = ByteRuns::RunLength(m_target, at, m_target.size());
        if (run < kShortestRun) return 0;
        const bool repeatsPrevious = at > 0 && m_target[at - 1] == m_target[at];
        const size_t from = repeatsPrevious ? at - 1 : at;
        const size_t begin = from + 1;
        const size_t length = at + run - begin;
        if (length <= CopyCost(length, DeltaCode(m_targetCursor, from)) + kSplitCost) return 0;
        Carry(begin);
        Copy(TargetCopy, m_targetCursor, from, length);
        return at + run;
    }

    // Bytes the source holds elsewhere, copied from there; the end of what
    // was copied, or 0.
    size_t Moved(size_t at) {
        constexpr size_t window = SourceIndex::kWindow;
        if (at - *m_literal < window || m_target.size() - at < window || m_source.size() < window) return 0;
        if (!m_index) {
            // Table edits make many short stretches and no moves.
            if (at - *m_literal < SourceIndex::kStep + window) return 0;
            m_index = std::make_unique<SourceIndex>(m_source);
        }
        const uint8_t* bytes = m_target.data() + at;
        m_hash = m_hashAt && *m_hashAt + 1 == at ? SourceIndex::Roll(m_hash, bytes[-1], bytes[window - 1])
                                                 : SourceIndex::Hash(bytes);
        m_hashAt = at;
        const std::optional<size_t> found = m_index->Find(m_hash, bytes);
        if (!found) return 0;
        size_t from = *found;
        size_t begin = at;
        size_t end = at + window;
        for (size_t past = from + window;
             end < m_target.size() && past < m_source.size() && m_target[end] == m_source[past]; ++past)
            ++end;
        while (begin > *m_literal && from > 0 && m_target[begin - 1] == m_source[from - 1]) {
            --begin;
            --from;
        }
        const size_t length = end - begin;
        if (length <= CopyCost(length, DeltaCode(m_sourceCursor, from)) + kSplitCost) return 0;
        Carry(begin);
        Copy(SourceCopy, m_sourceCursor, from, length);
        return end;
    }

    std::span<const uint8_t> m_source;
    std::span<const uint8_t> m_target;
    PatchOutput& m_out;
    // Where the changed stretch not yet written begins.
    std::optional<size_t> m_literal;
    uint64_t m_sourceCursor = 0;
    uint64_t m_targetCursor = 0;
    std::unique_ptr<SourceIndex> m_index;
    CopyCrc m_targetCrc;
    uint32_t m_hash = 0;
    std::optional<size_t> m_hashAt;
};

// Makes the target from the actions between the header and the footer.
class BpsReader {
public:
    BpsReader(std::span<const uint8_t> body, std::span<const uint8_t> source, uint64_t targetLength,
              PatchTarget& target, TrailingCrc& sourceCrc)
        : m_body(body), m_source(source), m_length(targetLength), m_target(target), m_sourceCrc(sourceCrc) {}

    std::optional<PatchFailure> Run(size_t at) {
        while (at < m_body.size()) {
            const size_t start = at;
            const auto word = BpsNumber::Read(m_body, at);
            if (!word) return word.Error();
            const uint64_t length = (word.Value() >> 2) + 1;
            if (length > m_length - m_target.Size()) return PatchFailure{Failure::OutsideTarget, start};
            if (const std::optional<PatchFailure> failed = Step(word.Value() & 3, length, start, at))
                return failed;
        }
        if (m_target.Size() != m_length)
            return PatchFailure{Failure::TargetShort, m_body.size(), m_length, m_target.Size()};
        return std::nullopt;
    }

private:
    std::optional<PatchFailure> Step(uint64_t action, uint64_t length, size_t start, size_t& at) {
        const uint64_t made = m_target.Size();
        switch (action) {
        case SourceRead:
            if (made > m_source.size() || length > m_source.size() - made)
                return PatchFailure{Failure::OutsideSource, start};
            // A block at a time, so that the source's CRC32 and the copy
            // read each block from memory once between them.
            for (uint64_t left = length; left > 0;) {
                const uint64_t piece = std::min<uint64_t>(left, BpsPatch::kStreamBlock);
                m_sourceCrc.Reach(static_cast<size_t>(m_target.Size() + piece));
                m_target.AppendSource(piece);
                left -= piece;
            }
            return std::nullopt;
        case TargetRead:
            if (length > m_body.size() - at) return PatchFailure{Failure::Truncated, start};
            m_target.Append(m_body.subspan(at, static_cast<size_t>(length)));
            at += static_cast<size_t>(length);
            return std::nullopt;
        case SourceCopy:
            if (auto failed = Move(m_sourceCursor, m_source.size(), at, {Failure::OutsideSource, start}))
                return failed;
            if (length > m_source.size() - m_sourceCursor) return PatchFailure{Failure::OutsideSource, start};
            m_target.Append(
                    m_source.subspan(static_cast<size_t>(m_sourceCursor), static_cast<size_t>(length)));
            m_sourceCursor += length;
            return std::nullopt;
        default:
            // A target copy may only read what is already made, though it
            // may go on to read what it makes itself: that is how a run of
            // one byte repeats.
            if (auto failed = Move(m_targetCursor, made, at, {Failure::OutsideTarget, start})) return failed;
            if (m_targetCursor >= made) return PatchFailure{Failure::OutsideTarget, start};
            m_target.CopyBack(m_targetCursor, length);
            m_targetCursor += length;
            return std::nullopt;
        }
    }

    // Reads a copy's cursor move and makes it, keeping the cursor within
    // [0, limit]; `outside` when the move would leave that.
    std::optional<PatchFailure> Move(uint64_t& cursor, uint64_t limit, size_t& at, PatchFailure outside) {
        const auto code = BpsNumber::Read(m_body, at);
        if (!code) return code.Error();
        const uint64_t distance = code.Value() >> 1;
        if ((code.Value() & 1) != 0) {
            if (distance > cursor) return outside;
            cursor -= distance;
        } else {
            if (cursor > limit || distance > limit - cursor) return outside;
            cursor += distance;
        }
        return std::nullopt;
    }

    std::span<const uint8_t> m_body;
    std::span<const uint8_t> m_source;
    uint64_t m_length;
    PatchTarget& m_target;
    TrailingCrc& m_sourceCrc;
    uint64_t m_sourceCursor = 0;
    uint64_t m_targetCursor = 0;
};

// What the header and footer say, each checked before any action is read.
struct BpsHeader {
    std::span<const uint8_t> body;
    size_t actions = 0;
    uint64_t sourceLength = 0;
    uint64_t targetLength = 0;
    uint32_t sourceCrc = 0;
    uint32_t targetCrc = 0;
};

Result<BpsHeader, PatchFailure> ReadHeader(std::span<const uint8_t> patch) {
    using Outcome = Result<BpsHeader, PatchFailure>;
    if (patch.size() < 4 || std::memcmp(patch.data(), kMagic, 4) != 0)
        return Outcome::Failure({Failure::UnknownKind});
    // Magic, three one-byte numbers, the footer.
    if (patch.size() < 4 + 3 + kFooter) return Outcome::Failure({Failure::Truncated, 0});
    const size_t footer = patch.size() - kFooter;
    const uint32_t statedPatch = LittleEndian32(patch, footer + 8);
    if (const uint32_t actual = Crc32::Of(patch.first(footer + 8)); actual != statedPatch)
        return Outcome::Failure({Failure::Damaged, 0, statedPatch, actual});

    BpsHeader header;
    header.body = patch.first(footer);
    size_t at = 4;
    uint64_t lengths[3] = {};
    for (uint64_t& length : lengths) {
        const auto number = BpsNumber::Read(header.body, at);
        if (!number) return Outcome::Failure(number.Error());
        length = number.Value();
    }
    const uint64_t metadataLength = lengths[2];
    if (metadataLength > header.body.size() - at) return Outcome::Failure({Failure::Truncated, at});
    header.actions = at + static_cast<size_t>(metadataLength);
    header.sourceLength = lengths[0];
    header.targetLength = lengths[1];
    header.sourceCrc = LittleEndian32(patch, footer);
    header.targetCrc = LittleEndian32(patch, footer + 4);
    return header;
}

// Whether the patch was made for this source; `crc` is the source's.
std::optional<PatchFailure> CheckSource(const BpsHeader& header, std::span<const uint8_t> source,
                                        uint32_t crc) {
    if (crc == header.sourceCrc && source.size() == header.sourceLength) return std::nullopt;
    if (crc == header.targetCrc && source.size() == header.targetLength)
        return PatchFailure{Failure::AlreadyApplied, 0, header.targetCrc, crc};
    return PatchFailure{Failure::OtherSource, 0, header.sourceCrc, crc};
}

// What must hold before a target is allocated or an action read: a source
// of the length the patch was made for, and a target within bounds. The
// source's CRC32 is left for Make, except where a refusal needs it now.
std::optional<PatchFailure> CheckBeforeMaking(const BpsHeader& header, std::span<const uint8_t> source,
                                              uint64_t largestTarget) {
    const bool tooLarge = header.targetLength > std::min(largestTarget, BpsPatch::kMaxTarget);
    if (source.size() != header.sourceLength || tooLarge)
        if (auto wrong = CheckSource(header, source, Crc32::Of(source))) return wrong;
    if (tooLarge) return PatchFailure{Failure::TooLarge, header.targetLength};
    return std::nullopt;
}

// The header, once everything that must hold before a target is made does.
Result<BpsHeader, PatchFailure> Prepare(std::span<const uint8_t> patch, std::span<const uint8_t> source,
                                        uint64_t largestTarget) {
    auto header = ReadHeader(patch);
    if (header)
        if (auto refused = CheckBeforeMaking(header.Value(), source, largestTarget))
            return Result<BpsHeader, PatchFailure>::Failure(*refused);
    return header;
}

// Runs the actions into `target` and checks what they made. The source's
// CRC32 is taken as the actions read it, and checked first once they are
// done: a patch for another file of the same length may fail in ways that
// would say less.
std::optional<PatchFailure> Make(const BpsHeader& header, std::span<const uint8_t> source,
                                 PatchTarget& target) {
    TrailingCrc sourceCrc(source,
                          static_cast<size_t>(std::min<uint64_t>(header.targetLength, source.size())));
    const std::optional<PatchFailure> failed =
            BpsReader(header.body, source, header.targetLength, target, sourceCrc).Run(header.actions);
    const bool handedOn = target.Finish();
    if (auto wrong = CheckSource(header, source, sourceCrc.Whole())) return wrong;
    if (failed) return failed;
    if (!handedOn) return PatchFailure{Failure::NotWritten};
    if (const uint32_t made = target.Crc(sourceCrc.AtStop()); made != header.targetCrc)
        return PatchFailure{Failure::ResultDamaged, 0, header.targetCrc, made};
    return std::nullopt;
}

} // namespace

Result<void, PatchFailure> BpsPatch::Write(std::span<const uint8_t> original,
                                           std::span<const uint8_t> modified, const PatchOutput::Sink& sink) {
    if (original.size() > kMaxTarget || modified.size() > kMaxTarget)
        return Result<void, PatchFailure>::Failure(
                {Failure::TooLarge, std::max<uint64_t>(original.size(), modified.size())});
    PatchOutput out(sink);
    BpsWriter(original, modified, out).Write();
    if (!out.Finish()) return Result<void, PatchFailure>::Failure({Failure::NotWritten});
    return Result<void, PatchFailure>::Success();
}

Result<std::string, PatchFailure> BpsPatch::Create(std::span<const uint8_t> original,
                                                   std::span<const uint8_t> modified) {
    return PatchOutput::Gather(
            [&](const PatchOutput::Sink& sink) { return Write(original, modified, sink); });
}

Result<std::vector<uint8_t>, PatchFailure>
BpsPatch::Apply(std::span<const uint8_t> patch, std::span<const uint8_t> source, uint64_t largestTarget) {
    using Outcome = Result<std::vector<uint8_t>, PatchFailure>;
    const auto header = Prepare(patch, source, largestTarget);
    if (!header) return Outcome::Failure(header.Error());
    PatchTarget target({header.Value().targetLength, source});
    if (const std::optional<PatchFailure> failed = Make(header.Value(), source, target))
        return Outcome::Failure(*failed);
    return target.Take();
}

Result<void, PatchFailure> BpsPatch::Apply(std::span<const uint8_t> patch, std::span<const uint8_t> source,
                                           const PatchTarget::Sink& sink,
                                           const PatchTarget::ReadBack& readBack) {
    using Outcome = Result<void, PatchFailure>;
    const auto header = Prepare(patch, source, kMaxTarget);
    if (!header) return Outcome::Failure(header.Error());
    PatchTarget target({header.Value().targetLength, source}, sink, readBack);
    if (const std::optional<PatchFailure> failed = Make(header.Value(), source, target))
        return Outcome::Failure(*failed);
    return Outcome::Success();
}
