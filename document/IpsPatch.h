#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/PatchFailure.h"
#include "document/PatchOutput.h"
#include "document/PatchTarget.h"
#include "table/Result.h"

// IPS: "PATCH", records (a 3-byte offset and a 2-byte length, big-endian,
// then the bytes; or length 0, a 2-byte count and one byte repeated), "EOF",
// and, when the file shrinks, its new 3-byte length.
class IpsPatch {
public:
    // Three-byte offsets: nothing at 16 MiB or beyond can be changed.
    static constexpr uint64_t kReach = uint64_t{1} << 24;
    static constexpr size_t kMaxRecord = 0xFFFF;
    // The offset that spells "EOF"; a record there would end the patch.
    static constexpr uint32_t kEofOffset = 0x454F46;

    // Streams the patch that turns `original` into `modified` into `sink`,
    // in blocks. A change IPS cannot reach is refused before the sink sees a
    // byte; NotWritten when the sink refused a block.
    static Result<void, PatchFailure> Write(std::span<const uint8_t> original,
                                            std::span<const uint8_t> modified, const PatchOutput::Sink& sink);
    // The whole patch in one string.
    static Result<std::string, PatchFailure> Create(std::span<const uint8_t> original,
                                                    std::span<const uint8_t> modified);
    // `source` with the patch applied; every record is checked against the
    // patch's end before anything is made.
    static Result<std::vector<uint8_t>, PatchFailure> Apply(std::span<const uint8_t> patch,
                                                            std::span<const uint8_t> source);
    // The same, handed to `sink` a block at a time as it is made when the
    // records come in order, as patch makers write them; records out of
    // order are made whole first.
    static Result<void, PatchFailure> Apply(std::span<const uint8_t> patch, std::span<const uint8_t> source,
                                            const PatchTarget::Sink& sink);
};
