#pragma once

#include <cstddef>

// Fails one allocation on purpose. A test program that links the
// quill_failing_allocation library has its global operator new replaced by
// one that, while an object of this class is armed, throws std::bad_alloc
// at the chosen allocation, once; every other allocation is served as usual.
// Deterministic, and it works under the sanitizers, unlike a memory limit.
class FailingAllocation {
public:
    // Allocation number `index` from now on (0: the very next) throws.
    explicit FailingAllocation(size_t index);
    // Disarms.
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;

    // Whether the chosen allocation came and was refused.
    bool Fired() const;
};
