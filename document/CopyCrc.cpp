#include "document/CopyCrc.h"

#include "document/Crc32.h"

void CopyCrc::Differ(uint64_t at, std::span<const uint8_t> source, std::span<const uint8_t> target) {
    // Both CRC32s start from the same state, so it drops out of their xor.
    const uint32_t change = Crc32::Of(source) ^ Crc32::Of(target);
    const uint64_t end = at + target.size();
    m_change = Crc32::Combine(m_change, change, end - m_end);
    m_end = end;
}

uint32_t CopyCrc::Of(uint32_t sourceCrc, uint64_t length) const {
    return Crc32::Combine(m_change, sourceCrc, length - m_end);
}
