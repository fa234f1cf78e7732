#include "document/HugePages.h"

#include "platform/files/PageHints.h"

void HugePages::Reserve(std::vector<uint8_t>& bytes, size_t size) {
    bytes.reserve(size);
    Advise(bytes.data(), size);
}

void HugePages::Advise(void* data, size_t size) {
    PageHints::LargePages(data, size);
}
