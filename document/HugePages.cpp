#include "document/HugePages.h"

#include <sys/mman.h>

void HugePages::Reserve(std::vector<uint8_t>& bytes, size_t size) {
    bytes.reserve(size);
    Advise(bytes.data(), size);
}

void HugePages::Advise(void* data, size_t size) {
    // Only whole large pages inside the allocation can be advised; a hint,
    // so a refusal changes nothing but the speed.
    constexpr uintptr_t kLarge = uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<uintptr_t>(data);
    const uintptr_t first = (begin + kLarge - 1) & ~(kLarge - 1);
    const uintptr_t last = (begin + size) & ~(kLarge - 1);
    if (size >= kLarge && last > first)
        (void)madvise(reinterpret_cast<void*>(first), static_cast<size_t>(last - first), MADV_HUGEPAGE);
}
