#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "document/CopyCrc.h"

// The bytes a patch makes from its source, in order, with the CRC32 of them
// all. Kept whole in memory, or handed on in blocks as they are made, so
// that applying a patch to a ROM of many megabytes needs no second ROM-sized
// buffer. Bytes taken from the source or the patch are handed on where they
// lie, as pieces, not copied; only what a copy within the target makes is
// held, and a copy from further back reads back what was handed on. The
// CRC32 is found from the source's (see CopyCrc), so the bytes the target
// keeps from its source cost it nothing.
class PatchTarget {
public:
    // Takes the next pieces of the target, in order; false stops the patch.
    using Sink = std::function<bool(std::span<const std::span<const uint8_t>> pieces)>;
    // Fills `into` with the bytes handed on at `offset`; false when it cannot.
    using ReadBack = std::function<bool(uint64_t offset, std::span<uint8_t> into)>;

    // How much a streamed target hands on at a time: large enough that
    // the calls cost nothing, small enough to stay in the caches.
    static constexpr size_t kBlock = size_t{1} << 20;

    // The target's length, the source it is made from, and whether its
    // CRC32 is wanted.
    struct Shape {
        uint64_t length = 0;
        std::span<const uint8_t> source;
        bool crc = true;
    };

    // All `length` bytes kept; allocated once, at that length.
    explicit PatchTarget(const Shape& shape);
    // Handed on about every `block` bytes.
    PatchTarget(const Shape& shape, const Sink& sink, const ReadBack& readBack, size_t block = kBlock);
    PatchTarget(const PatchTarget&) = delete;
    PatchTarget& operator=(const PatchTarget&) = delete;

    uint64_t Size() const { return m_base + m_pending; }
    // `bytes` must stay as they are until Finish: they are handed on in place.
    void Append(std::span<const uint8_t> bytes);
    // Appends the source's next `length` bytes at the same offset, which
    // must lie within it.
    void AppendSource(uint64_t length);
    // Appends `count` bytes of `value`.
    void AppendRepeated(uint8_t value, uint64_t count);
    // Appends `length` bytes read from `from` on, one after another, so
    // that a copy reaching into what it makes repeats the bytes before it.
    // `from` must be below Size().
    void CopyBack(uint64_t from, uint64_t length);
    // Hands on what is left; false when the sink or a read back failed.
    bool Finish();
    // After Finish, the CRC32 of every byte made, given the CRC32 of the
    // source's first min(length, source's length) bytes.
    uint32_t Crc(uint32_t sourceCrc) const;
    // The kept bytes.
    std::vector<uint8_t> Take() { return std::move(m_whole); }

private:
    // How many pieces wait at most: a few pages of them, and within what
    // one vectored write takes.
    static constexpr size_t kMaxPieces = 1024;

    // `held` for bytes in m_held.
    void AddPiece(std::span<const uint8_t> piece, bool held);
    // Where the piece holding target offset `at`, not yet handed on, lies.
    size_t PieceAt(uint64_t at) const;
    // Makes up to `length` bytes from `from` on at the end of the held
    // bytes; how many it made.
    size_t CopyOnce(uint64_t from, uint64_t length);
    // Hands on the `count` bytes just made at the end of the held ones.
    void AddHeld(size_t count);
    // Tells the CRC32 of the bytes made last, at `at`, other than by AppendSource.
    void Track(uint64_t at, std::span<const uint8_t> made);
    void Flush();

    Shape m_shape;
    // How much of the target lies over the source.
    uint64_t m_common = 0;
    CopyCrc m_overSource;
    // The CRC32 of the bytes beyond m_common.
    uint32_t m_tailCrc = 0;

    Sink m_keep;
    ReadBack m_keptReadBack;
    const Sink* m_sink = nullptr;
    const ReadBack* m_readBack = nullptr;
    std::vector<uint8_t> m_whole;
    size_t m_block = 0;

    // The pieces not yet handed on, from target offset m_base; where each begins.
    std::vector<std::span<const uint8_t>> m_pieces;
    std::vector<uint64_t> m_starts;
    bool m_lastHeld = false;
    uint64_t m_base = 0;
    size_t m_pending = 0;
    // What copies within the target made since the last hand-on; never
    // moves, as pieces point into it.
    std::unique_ptr<uint8_t[]> m_held;
    size_t m_heldSize = 0;
    bool m_failed = false;
};
