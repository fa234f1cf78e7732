#pragma once

#include <array>
#include <cstdint>

// The file both patch fuzzers apply their input to; make_patch_seeds.py
// makes its seeds for the same bytes.
inline std::array<uint8_t, 64> PatchFuzzSource() {
    std::array<uint8_t, 64> source{};
    for (unsigned i = 0; i < source.size(); ++i)
        source[i] = static_cast<uint8_t>((i * 37 + 11) & 0xFF);
    return source;
}
