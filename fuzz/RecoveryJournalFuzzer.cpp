// Reads arbitrary bytes as a recovery journal. A journal is a file anyone
// could have put in its place: a damaged one ends at its last whole record,
// no length in it is trusted past the ROM's size, and every record it gives
// lies inside the ROM and writes back as the same bytes.
// The first two bytes give the ROM's length; the rest is the journal.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "document/RecoveryFormat.h"

namespace {

std::optional<RecoveryFormat::Contents> Parse(const uint8_t* data, size_t size, uint64_t romLength) {
    size_t at = 0;
    return RecoveryFormat::Parse(
            [&](uint8_t* out, size_t n) {
                const size_t take = std::min(n, size - at);
                std::copy_n(data + at, take, out);
                at += take;
                return take;
            },
            size, romLength);
}

bool SameRecords(const std::vector<RecoveryRecord>& a, const std::vector<RecoveryRecord>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const RecoveryRecord& x, const RecoveryRecord& y) {
                          return x.kind == y.kind && x.entry == y.entry && x.bytes == y.bytes &&
                                 x.pieces.size() == y.pieces.size();
                      });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const uint64_t romLength = data[0] | (uint64_t{data[1]} << 8);
    const std::optional<RecoveryFormat::Contents> contents = Parse(data + 2, size - 2, romLength);
    if (!contents) return 0;
    if (contents->validEnd > size - 2 || contents->torn != (contents->validEnd < size - 2)) std::abort();
    std::vector<uint8_t> again = RecoveryFormat::EncodeHeader(contents->header);
    for (const RecoveryRecord& r : contents->records) {
        for (const RecoveryPiece& p : r.pieces)
            if (p.length == 0 || p.offset + uint64_t{p.length} > romLength) std::abort();
        RecoveryFormat::EncodeRecord({r.kind, r.entry, r.pieces, r.bytes}, again);
    }
    const std::optional<RecoveryFormat::Contents> reread = Parse(again.data(), again.size(), romLength);
    if (!reread || reread->torn || !SameRecords(reread->records, contents->records)) std::abort();
    const std::vector<RecoveryRecord> applied = RecoveryFormat::StillApplied(contents->records);
    if (applied.size() > contents->records.size()) std::abort();
    return 0;
}
