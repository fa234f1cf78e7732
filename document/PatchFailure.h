#pragma once

#include <cstdint>
#include <string>

// Why a patch could not be made or applied, with the figures its message
// names; the words come from the string catalogue.
struct PatchFailure {
    enum class Kind {
        NotWritten,
        OutOfIpsReach,
        TooLarge,
        UnknownKind,
        Truncated,
        Damaged,
        OtherSource,
        AlreadyApplied,
        NumberTooLarge,
        OutsideSource,
        OutsideTarget,
        TargetShort,
        ResultDamaged,
        TruncationBeyondEnd,
        TrailingBytes,
    };

    Kind kind = Kind::NotWritten;
    // An offset into the patch or a file, or a length, as the kind needs.
    uint64_t at = 0;
    // CRC32s (stated, then found) or lengths (declared, then found).
    uint64_t expected = 0;
    uint64_t actual = 0;

    std::string Text() const;
    bool operator==(const PatchFailure&) const = default;
};
