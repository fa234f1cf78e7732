#include "document/TrailingCrc.h"

#include <algorithm>

#include "document/Crc32.h"

TrailingCrc::TrailingCrc(std::span<const uint8_t> bytes, size_t stop) : m_bytes(bytes), m_stop(stop) {}

void TrailingCrc::Reach(size_t to) {
    while (m_done < std::min(to, m_bytes.size())) {
        // A block at a time, ahead of the reader, but never across the stop.
        size_t end = std::min(m_done + kBlock, m_bytes.size());
        if (m_done < m_stop) end = std::min(end, m_stop);
        m_crc = Crc32::Of(m_bytes.subspan(m_done, end - m_done), m_crc);
        m_done = end;
        if (m_done == m_stop) m_atStop = m_crc;
    }
}

uint32_t TrailingCrc::AtStop() {
    Reach(m_stop);
    return m_atStop;
}

uint32_t TrailingCrc::Whole() {
    Reach(m_bytes.size());
    return m_crc;
}
