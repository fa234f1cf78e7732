#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/PatchFailure.h"
#include "document/PatchOutput.h"
#include "document/PatchTarget.h"
#include "table/Result.h"

// BPS, the published format documented as `bps_spec`: "BPS1", the source's
// and the target's length and the metadata's (none here), the actions that
// make the target, then the CRC32 of the source, of the target and of the
// patch itself.
class BpsPatch {
public:
    // The largest source or target a patch is made from or applied to.
    static constexpr uint64_t kMaxTarget = uint64_t{1} << 32;

    // Streams the patch that turns `original` into `modified` into `sink`,
    // in blocks; NotWritten when the sink refused a block. Unchanged bytes
    // are read from the source; changed ones are copied from where the
    // source or the target already holds them when that is shorter than
    // carrying them, so the patch is never larger than one that carries
    // every changed stretch.
    static Result<void, PatchFailure> Write(std::span<const uint8_t> original,
                                            std::span<const uint8_t> modified, const PatchOutput::Sink& sink);
    // The whole patch in one string.
    static Result<std::string, PatchFailure> Create(std::span<const uint8_t> original,
                                                    std::span<const uint8_t> modified);
    // The target the patch makes from `source`: the patch's own CRC32 is
    // checked first, then the source's, then the target's once made. A
    // declared target above `largestTarget` is refused before anything is
    // allocated, and nothing larger than the declared target ever is.
    static Result<std::vector<uint8_t>, PatchFailure> Apply(std::span<const uint8_t> patch,
                                                            std::span<const uint8_t> source,
                                                            uint64_t largestTarget = kMaxTarget);
    // The same, the target handed to `sink` in blocks of kStreamBlock as it
    // is made, and a copy from further back read through `readBack`; the
    // target's CRC32 is checked once the last block is handed on, so a
    // caller keeps nothing from a failed patch.
    static constexpr size_t kStreamBlock = PatchTarget::kBlock;
    static Result<void, PatchFailure> Apply(std::span<const uint8_t> patch, std::span<const uint8_t> source,
                                            const PatchTarget::Sink& sink,
                                            const PatchTarget::ReadBack& readBack);
};
