#include "platform/files/PageHints.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The whole units of `unit` bytes inside the buffer, or 0 bytes for none.
void Inside(const void* data, size_t size, uintptr_t unit, uintptr_t& first, uintptr_t& last) {
    const auto begin = reinterpret_cast<uintptr_t>(data);
    first = (begin + unit - 1) & ~(unit - 1);
    last = (begin + size) & ~(unit - 1);
    if (data == nullptr || size < unit || last <= first) first = last = 0;
}

} // namespace

void PageHints::LargePages(const void* data, size_t size) {
    uintptr_t first = 0;
    uintptr_t last = 0;
    Inside(data, size, uintptr_t{2} << 20, first, last);
    if (last > first)
        (void)madvise(reinterpret_cast<void*>(first), static_cast<size_t>(last - first), MADV_HUGEPAGE);
}

void PageHints::Prefault([[maybe_unused]] const void* data, [[maybe_unused]] size_t size) {
#ifdef MADV_POPULATE_WRITE
    uintptr_t first = 0;
    uintptr_t last = 0;
    Inside(data, size, static_cast<uintptr_t>(sysconf(_SC_PAGESIZE)), first, last);
    if (last > first)
        (void)madvise(reinterpret_cast<void*>(first), static_cast<size_t>(last - first), MADV_POPULATE_WRITE);
#endif
}
