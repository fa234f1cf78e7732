#include "document/RollbackFormat.h"

#include <algorithm>

#include "document/Crc32.h"

namespace {

constexpr char kMagic[8] = {'Q', 'L', 'M', 'R', 'B', 'K', '0', '1'};
constexpr char kClosingMark[8] = {'Q', 'L', 'M', 'R', 'B', 'K', 'O', 'K'};

void Put(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint64_t Get(std::span<const uint8_t> bytes, size_t at, int count) {
    uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[at + static_cast<size_t>(i)];
    return value;
}

bool Starts(std::span<const uint8_t> bytes, size_t at, const char (&mark)[8]) {
    return std::equal(mark, mark + 8, bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
}

} // namespace

std::string RollbackFormat::EncodeHeader(const Header& header) {
    std::string out(kMagic, sizeof kMagic);
    Put(out, header.romLength, 8);
    Put(out, header.device, 8);
    Put(out, header.inode, 8);
    Put(out, static_cast<uint64_t>(header.mtimeNs), 8);
    Put(out, header.ranges, 4);
    return out;
}

std::string RollbackFormat::EncodeRangeHead(uint32_t offset, uint32_t length) {
    std::string out;
    Put(out, offset, 4);
    Put(out, length, 4);
    return out;
}

std::string RollbackFormat::EncodeTrailer(uint32_t crc) {
    std::string out;
    Put(out, crc, 4);
    out.append(kClosingMark, sizeof kClosingMark);
    return out;
}

uint32_t RollbackFormat::Crc(uint32_t crc, std::span<const uint8_t> bytes) {
    return Crc32::Of(bytes, crc);
}

Result<RollbackFormat::Contents, RollbackFormat::Damage>
RollbackFormat::Parse(std::span<const uint8_t> bytes) {
    using Parsed = Result<Contents, Damage>;
    // A prefix of the magic is a file torn while its first bytes went out;
    // anything else that does not start with it is someone else's.
    const size_t shown = std::min(bytes.size(), sizeof kMagic);
    if (!std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(shown), kMagic,
                    [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); }))
        return Parsed::Failure(Damage::Foreign);
    if (bytes.size() < kHeaderSize + kTrailerSize) return Parsed::Failure(Damage::Torn);
    const size_t trailer = bytes.size() - kTrailerSize;
    if (!Starts(bytes, trailer + 4, kClosingMark) || Get(bytes, trailer, 4) != Crc(0, bytes.first(trailer)))
        return Parsed::Failure(Damage::Torn);
    Header header;
    header.romLength = Get(bytes, 8, 8);
    header.device = Get(bytes, 16, 8);
    header.inode = Get(bytes, 24, 8);
    header.mtimeNs = static_cast<int64_t>(Get(bytes, 32, 8));
    header.ranges = static_cast<uint32_t>(Get(bytes, 40, 4));
    return ParseRanges(bytes.subspan(kHeaderSize, trailer - kHeaderSize), header);
}

Result<RollbackFormat::Contents, RollbackFormat::Damage>
RollbackFormat::ParseRanges(std::span<const uint8_t> body, const Header& header) {
    using Parsed = Result<Contents, Damage>;
    Contents contents{header, {}};
    // Each range takes at least its head, so a count the body cannot hold
    // is refused before anything is reserved for it.
    if (header.ranges > body.size() / kRangeHeadSize) return Parsed::Failure(Damage::Foreign);
    contents.ranges.reserve(header.ranges);
    size_t at = 0;
    for (uint32_t i = 0; i < header.ranges; ++i) {
        if (body.size() - at < kRangeHeadSize) return Parsed::Failure(Damage::Foreign);
        const auto offset = static_cast<uint32_t>(Get(body, at, 4));
        const auto length = static_cast<uint32_t>(Get(body, at + 4, 4));
        at += kRangeHeadSize;
        if (body.size() - at < length || uint64_t{offset} + length > header.romLength)
            return Parsed::Failure(Damage::Foreign);
        contents.ranges.push_back({offset, body.subspan(at, length)});
        at += length;
    }
    if (at != body.size()) return Parsed::Failure(Damage::Foreign);
    return contents;
}
