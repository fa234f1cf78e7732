#include "document/RecoveryFormat.h"

#include <algorithm>
#include <cstring>

#include "document/Crc32.h"

namespace {

constexpr char kMagic[8] = {'Q', 'L', 'M', 'R', 'E', 'C', 'V', '1'};
// Kind, entry and piece count.
constexpr size_t kBodyHead = 1 + 4 + 4;
constexpr size_t kPieceHead = 4 + 4;

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Put64(std::vector<uint8_t>& out, uint64_t v) {
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t Get32(const uint8_t* at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | at[i];
    return v;
}

uint64_t Get64(const uint8_t* at) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | at[i];
    return v;
}

uint32_t Crc(uint32_t crc, const uint8_t* data, size_t n) {
    return Crc32::Of({data, n}, crc);
}

uint32_t Crc(std::span<const uint8_t> bytes) {
    return Crc(0, bytes.data(), bytes.size());
}

// Reads exactly n bytes, counting them against what the file holds.
class Reader {
public:
    Reader(const RecoveryFormat::Source& source, uint64_t size) : m_source(source), m_left(size) {}

    bool Take(uint8_t* buffer, size_t n) {
        if (n > m_left) return false;
        if (m_source(buffer, n) != n) return false;
        m_left -= n;
        m_offset += n;
        return true;
    }
    uint64_t Left() const { return m_left; }
    uint64_t Offset() const { return m_offset; }

private:
    const RecoveryFormat::Source& m_source;
    uint64_t m_left;
    uint64_t m_offset = 0;
};

std::optional<RecoveryFormat::Header> ReadHeader(Reader& reader) {
    uint8_t fixed[8 + 8 + 8 + 4 + 4];
    if (!reader.Take(fixed, sizeof fixed) || std::memcmp(fixed, kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    const uint32_t pathLength = Get32(fixed + 28);
    if (pathLength > RecoveryFormat::kMaxPathLength) return std::nullopt;
    std::vector<uint8_t> rest(size_t{pathLength} + 4);
    if (!reader.Take(rest.data(), rest.size())) return std::nullopt;
    uint32_t crc = Crc(0, fixed, sizeof fixed);
    crc = Crc(crc, rest.data(), pathLength);
    if (crc != Get32(rest.data() + pathLength)) return std::nullopt;
    RecoveryFormat::Header header;
    header.romSize = Get64(fixed + 8);
    header.romMtimeNs = static_cast<int64_t>(Get64(fixed + 16));
    header.firstCrc = Get32(fixed + 24);
    header.romPath.assign(rest.begin(), rest.begin() + pathLength);
    return header;
}

// The body's pieces, each inside the ROM and after the one before it.
std::optional<RecoveryRecord> DecodeBody(const std::vector<uint8_t>& body, uint64_t romLength) {
    if (body.size() < kBodyHead) return std::nullopt;
    const uint8_t kind = body[0];
    if (kind < 1 || kind > 3) return std::nullopt;
    RecoveryRecord record;
    record.kind = static_cast<RecoveryRecord::Kind>(kind);
    record.entry = static_cast<int32_t>(Get32(body.data() + 1));
    const uint32_t count = Get32(body.data() + 5);
    if (count == 0 || count > (body.size() - kBodyHead) / kPieceHead) return std::nullopt;
    record.pieces.reserve(count);
    size_t at = kBodyHead;
    uint64_t end = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (body.size() - at < kPieceHead) return std::nullopt;
        const uint32_t offset = Get32(body.data() + at);
        const uint32_t length = Get32(body.data() + at + 4);
        at += kPieceHead;
        if (length == 0 || offset < end || uint64_t{offset} + length > romLength ||
            (body.size() - at) / 2 < length)
            return std::nullopt;
        record.pieces.push_back({offset, length, record.bytes.size()});
        record.bytes.insert(record.bytes.end(), body.begin() + static_cast<ptrdiff_t>(at),
                            body.begin() + static_cast<ptrdiff_t>(at + 2 * size_t{length}));
        at += 2 * size_t{length};
        end = uint64_t{offset} + length;
    }
    if (at != body.size()) return std::nullopt;
    return record;
}

bool SameRanges(const RecoveryRecord& a, const RecoveryRecord& b) {
    return std::equal(a.pieces.begin(), a.pieces.end(), b.pieces.begin(), b.pieces.end(),
                      [](const RecoveryPiece& x, const RecoveryPiece& y) {
                          return x.offset == y.offset && x.length == y.length;
                      });
}

// Whether `record` makes exactly the change `step` made (or, reversed,
// puts back exactly what it changed).
bool Repeats(const RecoveryRecord& record, const RecoveryRecord& step, bool reversed) {
    if (!SameRanges(record, step)) return false;
    for (size_t i = 0; i < record.pieces.size(); ++i) {
        const auto before = record.Before(record.pieces[i]);
        const auto after = record.After(record.pieces[i]);
        const auto stepBefore = step.Before(step.pieces[i]);
        const auto stepAfter = step.After(step.pieces[i]);
        if (!std::equal(before.begin(), before.end(), (reversed ? stepAfter : stepBefore).begin()) ||
            !std::equal(after.begin(), after.end(), (reversed ? stepBefore : stepAfter).begin()))
            return false;
    }
    return true;
}

} // namespace

std::vector<uint8_t> RecoveryFormat::EncodeHeader(const Header& header) {
    std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
    Put64(out, header.romSize);
    Put64(out, static_cast<uint64_t>(header.romMtimeNs));
    Put32(out, header.firstCrc);
    const size_t pathLength = std::min(header.romPath.size(), kMaxPathLength);
    Put32(out, static_cast<uint32_t>(pathLength));
    out.insert(out.end(), header.romPath.begin(),
               header.romPath.begin() + static_cast<ptrdiff_t>(pathLength));
    Put32(out, Crc(out));
    return out;
}

void RecoveryFormat::EncodeRecord(const RecoveryStepView& step, std::vector<uint8_t>& out) {
    const size_t start = out.size();
    Put32(out, 0);
    out.push_back(static_cast<uint8_t>(step.kind));
    Put32(out, static_cast<uint32_t>(step.entry));
    Put32(out, static_cast<uint32_t>(step.pieces.size()));
    for (const RecoveryPiece& p : step.pieces) {
        Put32(out, p.offset);
        Put32(out, p.length);
        const uint8_t* before = step.bytes.data() + p.at;
        const uint8_t* after = before + p.length;
        if (step.reversed) std::swap(before, after);
        out.insert(out.end(), before, before + p.length);
        out.insert(out.end(), after, after + p.length);
    }
    const auto bodyLength = static_cast<uint32_t>(out.size() - start - 4);
    for (int i = 0; i < 4; ++i)
        out[start + static_cast<size_t>(i)] = static_cast<uint8_t>(bodyLength >> (8 * i));
    Put32(out, Crc(std::span<const uint8_t>(out).subspan(start)));
}

uint32_t RecoveryFormat::BeforeCrc(const RecoveryStepView& step) {
    uint32_t crc = 0;
    for (const RecoveryPiece& p : step.pieces)
        crc = Crc(crc, step.bytes.data() + p.at + (step.reversed ? p.length : 0), p.length);
    return crc;
}

uint32_t RecoveryFormat::CrcOfRanges(std::span<const uint8_t> image, const RecoveryRecord& record) {
    uint32_t crc = 0;
    for (const RecoveryPiece& p : record.pieces) {
        if (uint64_t{p.offset} + p.length > image.size()) return ~Crc(image);
        crc = Crc(crc, image.data() + p.offset, p.length);
    }
    return crc;
}

std::optional<RecoveryFormat::Contents> RecoveryFormat::Parse(const Source& source, uint64_t size,
                                                              uint64_t romLength) {
    Reader reader(source, size);
    std::optional<Header> header = ReadHeader(reader);
    if (!header) return std::nullopt;
    Contents contents;
    contents.header = std::move(*header);
    contents.validEnd = reader.Offset();
    // No piece lies outside the ROM and none overlaps another, so a record
    // holds at most every byte of the ROM twice, with a piece head for each.
    const uint64_t maxBody = kBodyHead + romLength * (kPieceHead + 2);
    while (reader.Left() > 0) {
        uint8_t length[4];
        if (!reader.Take(length, sizeof length)) break;
        const uint32_t bodyLength = Get32(length);
        if (bodyLength > maxBody || uint64_t{bodyLength} + 4 > reader.Left()) break;
        std::vector<uint8_t> body(bodyLength);
        uint8_t crc[4];
        if (!reader.Take(body.data(), body.size()) || !reader.Take(crc, sizeof crc)) break;
        const uint32_t want = Crc(Crc(0, length, 4), body.data(), body.size());
        if (want != Get32(crc)) break;
        std::optional<RecoveryRecord> record = DecodeBody(body, romLength);
        if (!record) break;
        contents.records.push_back(std::move(*record));
        contents.validEnd = reader.Offset();
    }
    contents.torn = contents.validEnd < size;
    return contents;
}

std::vector<RecoveryRecord> RecoveryFormat::StillApplied(std::vector<RecoveryRecord> records) {
    std::vector<RecoveryRecord> stack;
    size_t position = 0;
    for (RecoveryRecord& record : records) {
        if (record.kind == RecoveryRecord::Kind::Undo && position > 0 &&
            Repeats(record, stack[position - 1], true)) {
            --position;
            continue;
        }
        if (record.kind == RecoveryRecord::Kind::Redo && position < stack.size() &&
            Repeats(record, stack[position], false)) {
            ++position;
            continue;
        }
        stack.resize(position);
        stack.push_back(std::move(record));
        ++position;
    }
    stack.resize(position);
    return stack;
}
