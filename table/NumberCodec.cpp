#include "table/NumberCodec.h"

#include <algorithm>

namespace {

size_t Width(size_t size) {
    return std::min<size_t>(size, 4);
}

} // namespace

uint32_t NumberCodec::DecodeUnsigned(std::span<const uint8_t> bytes) {
    uint32_t value = 0;
    for (size_t k = Width(bytes.size()); k-- > 0;)
        value = (value << 8) | bytes[k];
    return value;
}

int32_t NumberCodec::DecodeSigned(std::span<const uint8_t> bytes) {
    size_t width = Width(bytes.size());
    if (width == 0) return 0;
    uint32_t value = DecodeUnsigned(bytes);
    if (width < 4 && (value >> (8 * width - 1)) != 0) value |= UINT32_MAX << (8 * width);
    // Two's complement reinterpretation, well defined since C++20.
    return static_cast<int32_t>(value);
}

void NumberCodec::EncodeUnsigned(uint32_t value, std::span<uint8_t> dest) {
    size_t width = Width(dest.size());
    for (size_t k = 0; k < width; ++k)
        dest[k] = static_cast<uint8_t>(value >> (8 * k));
}
