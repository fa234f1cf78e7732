#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "document/PatchFailure.h"
#include "document/PatchOutput.h"
#include "document/PatchTarget.h"
#include "table/Result.h"

enum class PatchFormat {
    Ips,
    Bps,
};

// The patch formats behind one door, for qlm and the editor's Export Patch.
class Patch {
public:
    // From a file name's extension, ".ips" or ".bps" in any case.
    static std::optional<PatchFormat> FormatOfName(std::string_view path);
    // Streams the patch that turns `original` into `modified`, in `format`,
    // into `sink` (see IpsPatch::Write, BpsPatch::Write).
    static Result<void, PatchFailure> Write(PatchFormat format, std::span<const uint8_t> original,
                                            std::span<const uint8_t> modified, const PatchOutput::Sink& sink);
    // Applies an IPS or BPS patch, told apart by its first bytes.
    static Result<std::vector<uint8_t>, PatchFailure> Apply(std::span<const uint8_t> patch,
                                                            std::span<const uint8_t> source);
    // The same, the result handed to `sink` in blocks (see
    // BpsPatch::Apply); nothing is handed on from a patch found damaged
    // before its first action.
    static Result<void, PatchFailure> Apply(std::span<const uint8_t> patch, std::span<const uint8_t> source,
                                            const PatchTarget::Sink& sink,
                                            const PatchTarget::ReadBack& readBack);
};
