#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The CRC32 of a file taken in a block at a time just ahead of a reader
// that goes through the same bytes in order, so that the file comes in from
// memory once for both, not once for each: on a ROM larger than the caches,
// that second pass costs as much as the reading itself.
class TrailingCrc {
public:
    // The CRC32 is also kept as it stands after the first `stop` bytes.
    TrailingCrc(std::span<const uint8_t> bytes, size_t stop);

    // Takes in at least the bytes before `to`.
    void Reach(size_t to);
    // The CRC32 of the first `stop` bytes.
    uint32_t AtStop();
    // The CRC32 of them all.
    uint32_t Whole();

private:
    static constexpr size_t kBlock = size_t{64} << 10;

    std::span<const uint8_t> m_bytes;
    size_t m_stop;
    size_t m_done = 0;
    uint32_t m_crc = 0;
    uint32_t m_atStop = 0;
};
