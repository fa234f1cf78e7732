#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "document/CopyCrc.h"

// The bytes a patch makes from its source, in order, with the CRC32 of them
// all. Kept whole in memory, or handed on in blocks as they are made, so
// that applying a patch to a ROM of many megabytes needs no second ROM-sized
// buffer: the last block stays at hand, and a copy from further back reads
// back what was handed on. The CRC32 is found from the source's (see
// CopyCrc), so the bytes the target keeps from its source cost it nothing.
class PatchTarget {
public:
    // Takes the next block; false stops the patch.
    using Sink = std::function<bool(std::string_view block)>;
    // Fills `into` with the bytes handed on at `offset`; false when it cannot.
    using ReadBack = std::function<bool(uint64_t offset, std::span<uint8_t> into)>;

    // The target's length, and the source it is made from.
    struct Shape {
        uint64_t length = 0;
        std::span<const uint8_t> source;
    };

    // All `length` bytes kept; allocated once, at that length.
    explicit PatchTarget(const Shape& shape);
    // Handed on in blocks of `block` bytes.
    PatchTarget(const Shape& shape, const Sink& sink, const ReadBack& readBack, size_t block);

    uint64_t Size() const { return m_base + m_block.size(); }
    void Append(std::span<const uint8_t> bytes);
    // Appends the source's next `length` bytes at the same offset, which
    // must lie within it.
    void AppendSource(uint64_t length);
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
    std::vector<uint8_t> Take() { return std::move(m_block); }

private:
    size_t Room() const { return m_capacity - m_block.size(); }
    void Put(std::span<const uint8_t> bytes);
    // Tells the CRC32 of the bytes made last, at `at`, other than by AppendSource.
    void Track(uint64_t at, std::span<const uint8_t> made);
    void Flush();
    void CopyWithin(size_t from, size_t count);
    void ReadBackInto(uint64_t from, size_t count);

    const Sink* m_sink = nullptr;
    const ReadBack* m_readBack = nullptr;
    std::vector<uint8_t> m_block;
    size_t m_capacity = 0;
    // Where m_block begins in the target.
    uint64_t m_base = 0;
    Shape m_shape;
    // How much of the target lies over the source.
    uint64_t m_common = 0;
    CopyCrc m_overSource;
    // The CRC32 of the bytes beyond m_common.
    uint32_t m_tailCrc = 0;
    bool m_failed = false;
};
