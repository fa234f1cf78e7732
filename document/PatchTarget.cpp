#include "document/PatchTarget.h"

#include <algorithm>
#include <cstring>

#include "document/Crc32.h"
#include "document/HugePages.h"

PatchTarget::PatchTarget(const Shape& shape)
    : m_capacity(static_cast<size_t>(shape.length)), m_shape(shape),
      m_common(std::min<uint64_t>(shape.length, shape.source.size())) {
    HugePages::Reserve(m_block, m_capacity);
}

PatchTarget::PatchTarget(const Shape& shape, const Sink& sink, const ReadBack& readBack, size_t block)
    : m_sink(&sink), m_readBack(&readBack), m_capacity(block), m_shape(shape),
      m_common(std::min<uint64_t>(shape.length, shape.source.size())) {
    m_block.reserve(block);
}

void PatchTarget::Append(std::span<const uint8_t> bytes) {
    Track(Size(), bytes);
    Put(bytes);
}

void PatchTarget::AppendSource(uint64_t length) {
    Put(m_shape.source.subspan(static_cast<size_t>(Size()), static_cast<size_t>(length)));
}

void PatchTarget::Track(uint64_t at, std::span<const uint8_t> made) {
    if (at < m_common) {
        const size_t over = static_cast<size_t>(std::min<uint64_t>(made.size(), m_common - at));
        m_overSource.Differ(at, m_shape.source.subspan(static_cast<size_t>(at), over), made.first(over));
        made = made.subspan(over);
    }
    m_tailCrc = Crc32::Of(made, m_tailCrc);
}

uint32_t PatchTarget::Crc(uint32_t sourceCrc) const {
    return Crc32::Combine(m_overSource.Of(sourceCrc, m_common), m_tailCrc, m_shape.length - m_common);
}

void PatchTarget::Put(std::span<const uint8_t> bytes) {
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
            Track(Size() - count, std::span(m_block).last(count));
            from += count;
            length -= count;
        } else {
            // Never past the block's start, so what is read back was handed
            // on whole before this copy began.
            const size_t count = static_cast<size_t>(std::min<uint64_t>({length, Room(), m_base - from}));
            ReadBackInto(from, count);
            Track(Size() - count, std::span(m_block).last(count));
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
