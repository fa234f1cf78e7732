#include "document/IpsPatch.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "document/ByteRuns.h"
#include "document/HugePages.h"
#include "document/PatchTarget.h"

namespace {

using Failure = PatchFailure::Kind;
constexpr char kHeader[] = "PATCH";
constexpr char kEof[] = "EOF";
// A record's offset and length.
constexpr size_t kRecordHeader = 5;
// A record of one repeated byte: offset, zero length, count, the byte.
constexpr size_t kRunRecord = 8;
// A run shorter than this is cheaper kept among the literal bytes around
// it: standing alone (no literal on either side) it only has to beat the
// literal record's header, at one edge the run record, and in the middle
// the run record plus the header of the literal it splits off.
constexpr size_t kRunAlone = kRunRecord - kRecordHeader;
constexpr size_t kRunAtEdge = kRunRecord;
constexpr size_t kRunInside = kRunRecord + kRecordHeader;

// Where the first change IPS cannot make lies, if any.
std::optional<uint64_t> OutOfReach(std::span<const uint8_t> original, std::span<const uint8_t> modified) {
    const uint64_t reach = IpsPatch::kReach;
    // Shrinking to a length of 16 MiB or more would need a 4-byte length.
    if (modified.size() < original.size() && modified.size() >= reach) return modified.size();
    const size_t common = std::min(original.size(), modified.size());
    if (common > reach) {
        const size_t first = ByteRuns::FirstDifference(original, modified, reach, common);
        if (first < common) return first;
    }
    if (modified.size() > original.size() && modified.size() > reach)
        return std::max<uint64_t>(original.size(), reach);
    return std::nullopt;
}

class IpsWriter {
public:
    IpsWriter(std::span<const uint8_t> original, std::span<const uint8_t> modified, PatchOutput& out)
        : m_original(original), m_modified(modified), m_out(out) {}

    void Write() {
        m_out.Bytes(std::string_view(kHeader, 5));
        size_t at = 0;
        while ((at = NextChange(at)) < m_modified.size()) {
            const size_t end = RegionEnd(at);
            Region(at, end);
            at = end;
        }
        m_out.Bytes(std::string_view(kEof, 3));
        if (m_modified.size() < m_original.size()) m_out.BigEndian(m_modified.size(), 3);
    }

private:
    bool Changed(size_t at) const { return at >= m_original.size() || m_original[at] != m_modified[at]; }

    size_t NextChange(size_t from) const {
        const size_t common = std::min(m_original.size(), m_modified.size());
        return from < common ? ByteRuns::FirstDifference(m_original, m_modified, from, common)
                             : std::max(from, common);
    }

    // A region ends where the bytes agree for long enough that a new
    // record's header costs less than carrying them along.
    size_t RegionEnd(size_t at) const {
        for (;;) {
            while (at < m_modified.size() && Changed(at))
                ++at;
            const size_t next = NextChange(at);
            if (next >= m_modified.size() || next - at >= kRecordHeader) return at;
            at = next;
        }
    }

    void Region(size_t begin, size_t end) {
        size_t literal = begin;
        size_t at = begin;
        while (at < end) {
            const size_t run = ByteRuns::RunLength(m_modified, at, end);
            const bool before = literal < at;
            const bool after = at + run < end;
            const size_t worth = !before && !after ? kRunAlone : !before || !after ? kRunAtEdge : kRunInside;
            if (run > worth) {
                Literal(literal, at);
                Run(at, run);
                literal = at + run;
            }
            at += run;
        }
        Literal(literal, end);
    }

    void Literal(size_t begin, size_t end) {
        while (begin < end) {
            // The byte before is taken along: it is the modified file's own,
            // so writing it again changes nothing.
            const size_t at = begin == IpsPatch::kEofOffset ? begin - 1 : begin;
            const size_t length = std::min(end - at, IpsPatch::kMaxRecord);
            m_out.BigEndian(at, 3);
            m_out.BigEndian(length, 2);
            m_out.Bytes(m_modified.subspan(at, length));
            begin = at + length;
        }
    }

    void Run(size_t at, size_t count) {
        const uint8_t value = m_modified[at];
        while (count > 0) {
            if (at == IpsPatch::kEofOffset) {
                Literal(at, at + 1);
                ++at;
                --count;
                continue;
            }
            const size_t length = std::min(count, IpsPatch::kMaxRecord);
            m_out.BigEndian(at, 3);
            m_out.BigEndian(0, 2);
            m_out.BigEndian(length, 2);
            m_out.Byte(value);
            at += length;
            count -= length;
        }
    }

    std::span<const uint8_t> m_original;
    std::span<const uint8_t> m_modified;
    PatchOutput& m_out;
};

struct Record {
    size_t offset = 0;
    size_t length = 0;
    // Where the bytes are in the patch, or for a run, the repeated byte's.
    size_t data = 0;
    bool run = false;
};

uint64_t BigEndian(std::span<const uint8_t> bytes, size_t at, size_t count) {
    uint64_t value = 0;
    for (size_t i = 0; i < count; ++i)
        value = value << 8 | bytes[at + i];
    return value;
}

// Walks the records, each checked against the patch's end.
class IpsReader {
public:
    explicit IpsReader(std::span<const uint8_t> patch) : m_patch(patch), m_at(5) {}

    // The next record, or nothing at "EOF"; false when the patch is cut.
    Result<std::optional<Record>, PatchFailure> Next() {
        using Outcome = Result<std::optional<Record>, PatchFailure>;
        const size_t start = m_at;
        if (!Has(3)) return Outcome::Failure({Failure::Truncated, start});
        if (std::memcmp(m_patch.data() + m_at, kEof, 3) == 0) {
            m_at += 3;
            return std::optional<Record>();
        }
        if (!Has(kRecordHeader)) return Outcome::Failure({Failure::Truncated, start});
        Record record;
        record.offset = static_cast<size_t>(BigEndian(m_patch, m_at, 3));
        record.length = static_cast<size_t>(BigEndian(m_patch, m_at + 3, 2));
        m_at += kRecordHeader;
        if (record.length == 0) {
            if (!Has(3)) return Outcome::Failure({Failure::Truncated, start});
            record.run = true;
            record.length = static_cast<size_t>(BigEndian(m_patch, m_at, 2));
            record.data = m_at + 2;
            m_at += 3;
        } else {
            if (!Has(record.length)) return Outcome::Failure({Failure::Truncated, start});
            record.data = m_at;
            m_at += record.length;
        }
        return std::optional<Record>(record);
    }

    size_t At() const { return m_at; }

private:
    bool Has(size_t count) const { return m_patch.size() - m_at >= count; }

    std::span<const uint8_t> m_patch;
    size_t m_at;
};

// What a first pass over a patch finds, before anything is made: every
// record checked against the patch's end, the output's length with every
// record made and after the truncation, and whether the records come in
// order without overlapping, as patch makers write them.
struct Survey {
    size_t length = 0;
    size_t kept = 0;
    bool ordered = true;
};

Result<Survey, PatchFailure> SurveyOf(std::span<const uint8_t> patch, std::span<const uint8_t> source) {
    using Outcome = Result<Survey, PatchFailure>;
    if (patch.size() < 5 || std::memcmp(patch.data(), kHeader, 5) != 0)
        return Outcome::Failure({Failure::UnknownKind});
    Survey survey;
    survey.length = source.size();
    size_t end = 0;
    IpsReader reader(patch);
    for (;;) {
        auto next = reader.Next();
        if (!next) return Outcome::Failure(next.Error());
        if (!next.Value()) break;
        const Record& record = *next.Value();
        survey.ordered = survey.ordered && record.offset >= end;
        end = record.offset + record.length;
        survey.length = std::max(survey.length, end);
    }
    survey.kept = survey.length;
    const size_t tail = patch.size() - reader.At();
    if (tail == 3) {
        survey.kept = static_cast<size_t>(BigEndian(patch, reader.At(), 3));
        if (survey.kept > survey.length)
            return Outcome::Failure({Failure::TruncationBeyondEnd, survey.kept, 0, survey.length});
    } else if (tail != 0) {
        return Outcome::Failure({Failure::TrailingBytes, reader.At()});
    }
    return survey;
}

// Records in any order, each over what came before: made whole in memory.
std::vector<uint8_t> MakeWhole(std::span<const uint8_t> patch, std::span<const uint8_t> source,
                               const Survey& survey) {
    std::vector<uint8_t> target;
    HugePages::Reserve(target, survey.length);
    target.assign(source.begin(), source.end());
    target.resize(survey.length);
    IpsReader reader(patch);
    for (auto next = reader.Next(); next.Ok() && next.Value(); next = reader.Next()) {
        const Record& record = *next.Value();
        uint8_t* to = target.data() + record.offset;
        if (record.run)
            std::memset(to, patch[record.data], record.length);
        else
            std::memcpy(to, patch.data() + record.data, record.length);
    }
    target.resize(survey.kept);
    return target;
}

// Records in order: the source between them, and their bytes, handed on
// where they lie, up to the truncation.
void MakeInOrder(std::span<const uint8_t> patch, std::span<const uint8_t> source, const Survey& survey,
                 PatchTarget& target) {
    const auto room = [&](size_t count) {
        return std::min<uint64_t>(count, survey.kept - target.Size());
    };
    // Up to `offset`: the source's bytes, then zeros where a record lies past its end.
    const auto upTo = [&](size_t offset) {
        const uint64_t at = target.Size();
        if (at < source.size()) target.AppendSource(room(std::min(offset, source.size()) - at));
        if (offset > source.size() && target.Size() < offset)
            target.AppendRepeated(0, room(offset - static_cast<size_t>(target.Size())));
    };
    IpsReader reader(patch);
    for (auto next = reader.Next(); next.Ok() && next.Value(); next = reader.Next()) {
        const Record& record = *next.Value();
        upTo(record.offset);
        if (record.run)
            target.AppendRepeated(patch[record.data], room(record.length));
        else
            target.Append(patch.subspan(record.data, room(record.length)));
    }
    upTo(survey.kept);
}

} // namespace

Result<void, PatchFailure> IpsPatch::Write(std::span<const uint8_t> original,
                                           std::span<const uint8_t> modified, const PatchOutput::Sink& sink) {
    if (const std::optional<uint64_t> beyond = OutOfReach(original, modified))
        return Result<void, PatchFailure>::Failure({Failure::OutOfIpsReach, *beyond});
    PatchOutput out(sink);
    IpsWriter(original, modified, out).Write();
    if (!out.Finish()) return Result<void, PatchFailure>::Failure({Failure::NotWritten});
    return Result<void, PatchFailure>::Success();
}

Result<std::string, PatchFailure> IpsPatch::Create(std::span<const uint8_t> original,
                                                   std::span<const uint8_t> modified) {
    return PatchOutput::Gather(
            [&](const PatchOutput::Sink& sink) { return Write(original, modified, sink); });
}

Result<std::vector<uint8_t>, PatchFailure> IpsPatch::Apply(std::span<const uint8_t> patch,
                                                           std::span<const uint8_t> source) {
    using Outcome = Result<std::vector<uint8_t>, PatchFailure>;
    const auto survey = SurveyOf(patch, source);
    if (!survey) return Outcome::Failure(survey.Error());
    if (!survey.Value().ordered) return MakeWhole(patch, source, survey.Value());
    PatchTarget target({survey.Value().kept, source, false});
    MakeInOrder(patch, source, survey.Value(), target);
    target.Finish();
    return target.Take();
}

Result<void, PatchFailure> IpsPatch::Apply(std::span<const uint8_t> patch, std::span<const uint8_t> source,
                                           const PatchTarget::Sink& sink) {
    using Outcome = Result<void, PatchFailure>;
    const auto survey = SurveyOf(patch, source);
    if (!survey) return Outcome::Failure(survey.Error());
    if (!survey.Value().ordered) {
        const std::vector<uint8_t> whole = MakeWhole(patch, source, survey.Value());
        const std::span<const uint8_t> piece(whole);
        return sink({&piece, 1}) ? Outcome::Success() : Outcome::Failure({Failure::NotWritten});
    }
    // Nothing is copied from the target itself.
    const PatchTarget::ReadBack none = [](uint64_t, std::span<uint8_t>) {
        return false;
    };
    PatchTarget target({survey.Value().kept, source, false}, sink, none);
    MakeInOrder(patch, source, survey.Value(), target);
    return target.Finish() ? Outcome::Success() : Outcome::Failure({Failure::NotWritten});
}
