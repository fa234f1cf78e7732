#pragma once

#include <cstdint>
#include <span>

// The CRC32 of a file that holds another's bytes at the same offsets but
// for a few stretches, found from the other's CRC32 and those stretches
// alone. CRC32 is linear: a stretch whose bytes differ changes the CRC32 by
// the CRC32 of the two stretches' difference, moved on by the bytes that
// follow it. So the bytes the files share cost nothing, and a patch tool
// that must read its source whole anyway never reads the target again.
class CopyCrc {
public:
    // The source's bytes at `at` are `source`, the target's are `target`,
    // of the same length. Calls come in order of `at` and never overlap.
    void Differ(uint64_t at, std::span<const uint8_t> source, std::span<const uint8_t> target);
    // The CRC32 of the target's first `length` bytes, given that of the
    // source's first `length` bytes; every stretch given lies within them.
    uint32_t Of(uint32_t sourceCrc, uint64_t length) const;

private:
    // What the stretches so far change, as of the end of the last one.
    uint32_t m_change = 0;
    uint64_t m_end = 0;
};
