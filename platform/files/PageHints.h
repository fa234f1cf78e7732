#pragma once

#include <cstddef>

// Hints to the system about a buffer of many megabytes about to be written,
// so that filling it does not cost a page fault every 4 KiB, which on a
// virtual machine is most of the time spent writing fresh memory. Both are
// only hints: a refusal changes nothing but the speed.
class PageHints {
public:
    // Large pages for the whole large pages inside the buffer. Pages never
    // written still cost no memory.
    static void LargePages(const void* data, size_t size);
    // The buffer's pages made now, in one call. Only for memory the caller
    // writes whole anyway: every page made counts as resident.
    static void Prefault(const void* data, size_t size);
};
