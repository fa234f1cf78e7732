#include "document/HugePages.h"

#include "platform/files/PageHints.h"

void HugePages::Reserve(std::vector<uint8_t>& bytes, size_t size) {
    bytes.reserve(size);
    PageHints::LargePages(bytes.data(), size);
}
