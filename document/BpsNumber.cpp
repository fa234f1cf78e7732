#include "document/BpsNumber.h"

#include "document/PatchOutput.h"

void BpsNumber::Write(PatchOutput& out, uint64_t value) {
    for (;;) {
        const auto low = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
        if (value == 0) {
            out.Byte(low | 0x80);
            return;
        }
        out.Byte(low);
        --value;
    }
}

size_t BpsNumber::Length(uint64_t value) {
    size_t length = 1;
    while ((value >>= 7) != 0) {
        --value;
        ++length;
    }
    return length;
}

Result<uint64_t, PatchFailure> BpsNumber::Read(std::span<const uint8_t> data, size_t& at) {
    const size_t start = at;
    uint64_t value = 0;
    uint64_t scale = 1;
    for (;;) {
        if (at >= data.size())
            return Result<uint64_t, PatchFailure>::Failure({PatchFailure::Kind::Truncated, start});
        const uint8_t byte = data[at++];
        uint64_t part = 0;
        // A hostile patch may spell a number of any length; past 64 bits it
        // is refused rather than wrapped into a small, plausible one.
        if (__builtin_mul_overflow(uint64_t{byte & 0x7Fu}, scale, &part) ||
            __builtin_add_overflow(value, part, &value))
            break;
        if ((byte & 0x80) != 0) return value;
        if (__builtin_mul_overflow(scale, uint64_t{128}, &scale) ||
            __builtin_add_overflow(value, scale, &value))
            break;
    }
    return Result<uint64_t, PatchFailure>::Failure({PatchFailure::Kind::NumberTooLarge, start});
}
