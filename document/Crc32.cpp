#include "document/Crc32.h"

#include <zlib.h>

uint32_t Crc32::Of(std::span<const uint8_t> bytes, uint32_t crc) {
    return static_cast<uint32_t>(crc32_z(crc, bytes.data(), bytes.size()));
}

uint32_t Crc32::Of(std::string_view bytes, uint32_t crc) {
    return Of({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, crc);
}
