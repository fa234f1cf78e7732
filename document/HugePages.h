#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A buffer of many megabytes made in large pages where the system allows
// them: a patched 64 MiB ROM then costs a few dozen page faults rather than
// sixteen thousand, which on a virtual machine is most of an apply's time.
class HugePages {
public:
    // Reserves room for `size` bytes in `bytes`, which must be empty.
    static void Reserve(std::vector<uint8_t>& bytes, size_t size);
    // Advises the whole large pages inside memory not yet touched.
    static void Advise(void* data, size_t size);
};
