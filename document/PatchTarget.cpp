#include "document/PatchTarget.h"

#include <algorithm>
#include <cstring>

#include "document/Crc32.h"
#include "document/HugePages.h"

PatchTarget::PatchTarget(uint64_t length) : m_capacity(static_cast<size_t>(length)) {
    HugePages::Reserve(m_block, m_capacity);
}

PatchTarget::PatchTarget(const Sink& sink, const ReadBack& readBack, size_t block)
    : m_sink(&sink), m_readBack(&readBack), m_capacity(block) {
    m_block.reserve(block);
}

void PatchTarget::Append(std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        if (Room() == 0) Flush();
        const size_t count = std::min(Room(), bytes.size());
        m_block.insert(m_block.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
        bytes = bytes.subspan(count);
    }
}

void PatchTarget::CopyBack(uint64_t from, uint64_t length) {
    while (length > 0) {
        if (Room() == 0) Flush();
        if (from >= m_base) {
            const size_t count = static_cast<size_t>(std::min<uint64_t>(length, Room()));
            CopyWithin(static_cast<size_t>(from - m_base), count);
            from += count;
            length -= count;
        } else {
            // Never past the block's start, so what is read back was handed
            // on whole before this copy began.
            const size_t count = static_cast<size_t>(std::min<uint64_t>({length, Room(), m_base - from}));
            ReadBackInto(from, count);
            from += count;
            length -= count;
        }
    }
}

void PatchTarget::CopyWithin(size_t from, size_t count) {
    const size_t made = m_block.size();
    m_block.resize(made + count);
    uint8_t* data = m_block.data();
    if (from + count <= made)
        std::memcpy(data + made, data + from, count);
    else
        for (size_t i = 0; i < count; ++i)
            data[made + i] = data[from + i];
}

void PatchTarget::ReadBackInto(uint64_t from, size_t count) {
    const size_t made = m_block.size();
    m_block.resize(made + count);
    if (!m_failed && !(*m_readBack)(from, std::span<uint8_t>(m_block.data() + made, count))) m_failed = true;
}

void PatchTarget::Flush() {
    m_crc = Crc32::Of(m_block, m_crc);
    if (m_sink == nullptr) return;
    const std::string_view block(reinterpret_cast<const char*>(m_block.data()), m_block.size());
    if (!m_failed && !(*m_sink)(block)) m_failed = true;
    m_base += m_block.size();
    m_block.clear();
}

bool PatchTarget::Finish() {
    Flush();
    return !m_failed;
}
