#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "document/PatchFailure.h"
#include "table/Result.h"

class PatchOutput;

// BPS's variable-length numbers: seven bits a byte, the low group first, the
// high bit set on the last byte, and one taken off after every byte but the
// last, so that each value has exactly one spelling (128 is 00 80).
class BpsNumber {
public:
    // The longest spelling of a 64-bit value.
    static constexpr size_t kMaxLength = 10;

    static void Write(PatchOutput& out, uint64_t value);
    // How many bytes Write puts out for `value`.
    static size_t Length(uint64_t value);
    // The number at `at`, which moves past it. Truncated when it runs past
    // `data`'s end, NumberTooLarge when it does not fit 64 bits.
    static Result<uint64_t, PatchFailure> Read(std::span<const uint8_t> data, size_t& at);
};
