#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "table/Result.h"

// The bytes of a ROM's rollback file: what a save in place is about to
// overwrite, written and synced before the first byte of the ROM changes.
// A header names the ROM as it was (length, device, inode, modification
// time) and how many ranges follow; each range is its offset and length and
// the old bytes; a trailer holds the CRC-32 of everything before it and a
// closing mark. Only a file complete to its mark is ever applied: a crash
// while it was written leaves one that is not, and the ROM was not touched
// yet. Numbers are little-endian.
class RollbackFormat {
public:
    struct Header {
        uint64_t romLength = 0;
        uint64_t device = 0;
        uint64_t inode = 0;
        int64_t mtimeNs = 0;
        uint32_t ranges = 0;
        bool operator==(const Header&) const = default;
    };
    struct Range {
        uint32_t offset = 0;
        std::span<const uint8_t> old;
    };
    struct Contents {
        Header header;
        std::vector<Range> ranges;
    };
    enum class Damage {
        // Cut short or not yet synced: the save that wrote it never touched
        // the ROM.
        Torn,
        // Complete, but not what Quillmoor writes; nothing in it is trusted.
        Foreign,
    };

    static constexpr size_t kHeaderSize = 8 + 4 * 8 + 4;
    static constexpr size_t kRangeHeadSize = 8;
    static constexpr size_t kTrailerSize = 4 + 8;

    static std::string EncodeHeader(const Header& header);
    static std::string EncodeRangeHead(uint32_t offset, uint32_t length);
    // `crc` over every byte before the trailer.
    static std::string EncodeTrailer(uint32_t crc);
    static uint32_t Crc(uint32_t crc, std::span<const uint8_t> bytes);

    // The ranges point into `bytes`.
    static Result<Contents, Damage> Parse(std::span<const uint8_t> bytes);

private:
    static Result<Contents, Damage> ParseRanges(std::span<const uint8_t> body, const Header& header);
};
