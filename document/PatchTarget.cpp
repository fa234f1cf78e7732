#include "document/PatchTarget.h"

#include <algorithm>
#include <cstring>

#include "document/Crc32.h"
#include "document/HugePages.h"

PatchTarget::PatchTarget(const Shape& shape)
    : PatchTarget(shape, m_keep, m_keptReadBack,
                  static_cast<size_t>(std::min<uint64_t>(shape.length, kBlock))) {
    HugePages::Reserve(m_whole, static_cast<size_t>(shape.length));
    m_keep = [this](std::span<const std::span<const uint8_t>> pieces) {
        for (const std::span<const uint8_t> piece : pieces)
            m_whole.insert(m_whole.end(), piece.begin(), piece.end());
        return true;
    };
    m_keptReadBack = [this](uint64_t offset, std::span<uint8_t> into) {
        std::copy_n(m_whole.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
        return true;
    };
}

PatchTarget::PatchTarget(const Shape& shape, const Sink& sink, const ReadBack& readBack, size_t block)
    : m_shape(shape), m_common(std::min<uint64_t>(shape.length, shape.source.size())), m_sink(&sink),
      m_readBack(&readBack), m_block(std::max<size_t>(block, 1)), m_held(new uint8_t[m_block]) {
    m_pieces.reserve(kMaxPieces);
    m_starts.reserve(kMaxPieces);
}

void PatchTarget::Append(std::span<const uint8_t> bytes) {
    Track(Size(), bytes);
    AddPiece(bytes, false);
}

void PatchTarget::AppendSource(uint64_t length) {
    AddPiece(m_shape.source.subspan(static_cast<size_t>(Size()), static_cast<size_t>(length)), false);
}

void PatchTarget::AddPiece(std::span<const uint8_t> piece, bool held) {
    if (piece.empty()) return;
    // A run of the source read in order, or what copies made one after
    // another, is one piece.
    if (!m_pieces.empty() && m_lastHeld == held &&
        m_pieces.back().data() + m_pieces.back().size() == piece.data()) {
        m_pieces.back() = {m_pieces.back().data(), m_pieces.back().size() + piece.size()};
    } else {
        m_pieces.push_back(piece);
        m_starts.push_back(Size());
        m_lastHeld = held;
    }
    m_pending += piece.size();
    if (m_pending >= m_block || m_pieces.size() == kMaxPieces) Flush();
}

size_t PatchTarget::PieceAt(uint64_t at) const {
    return static_cast<size_t>(std::upper_bound(m_starts.begin(), m_starts.end(), at) - m_starts.begin()) - 1;
}

void PatchTarget::CopyBack(uint64_t from, uint64_t length) {
    while (length > 0) {
        if (m_heldSize == m_block) Flush();
        const size_t made = CopyOnce(from, length);
        AddHeld(made);
        from += made;
        length -= made;
    }
}

void PatchTarget::AppendRepeated(uint8_t value, uint64_t count) {
    while (count > 0) {
        if (m_heldSize == m_block) Flush();
        const size_t made = static_cast<size_t>(std::min<uint64_t>(count, m_block - m_heldSize));
        std::memset(m_held.get() + m_heldSize, value, made);
        AddHeld(made);
        count -= made;
    }
}

void PatchTarget::AddHeld(size_t count) {
    const std::span<const uint8_t> bytes(m_held.get() + m_heldSize, count);
    m_heldSize += count;
    Track(Size(), bytes);
    AddPiece(bytes, true);
}

size_t PatchTarget::CopyOnce(uint64_t from, uint64_t length) {
    uint8_t* to = m_held.get() + m_heldSize;
    const size_t room = static_cast<size_t>(std::min<uint64_t>(length, m_block - m_heldSize));
    if (from < m_base) {
        // Never past what was handed on, so it is there to read whole.
        const size_t count = static_cast<size_t>(std::min<uint64_t>(room, m_base - from));
        if (!m_failed && !(*m_readBack)(from, {to, count})) m_failed = true;
        return count;
    }
    const size_t index = PieceAt(from);
    const std::span<const uint8_t> piece = m_pieces[index];
    const uint8_t* data = piece.data() + (from - m_starts[index]);
    if (index + 1 == m_pieces.size() && m_lastHeld && piece.data() + piece.size() == to) {
        // The copy reads what it makes itself: a byte at a time, so that a
        // copy from a few bytes back repeats them.
        for (size_t i = 0; i < room; ++i)
            to[i] = data[i];
        return room;
    }
    const size_t count = std::min<size_t>(room, piece.size() - (from - m_starts[index]));
    std::memcpy(to, data, count);
    return count;
}

void PatchTarget::Track(uint64_t at, std::span<const uint8_t> made) {
    if (!m_shape.crc) return;
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

void PatchTarget::Flush() {
    if (!m_pieces.empty() && !m_failed && !(*m_sink)(m_pieces)) m_failed = true;
    m_base += m_pending;
    m_pending = 0;
    m_pieces.clear();
    m_starts.clear();
    m_heldSize = 0;
}

bool PatchTarget::Finish() {
    Flush();
    return !m_failed;
}
