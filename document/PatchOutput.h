#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "document/PatchFailure.h"
#include "table/Result.h"

// Where a patch writer's bytes go: gathered into large blocks for the sink,
// with the CRC32 of everything written so far kept as they pass, since a
// BPS patch ends with its own.
class PatchOutput {
public:
    // Receives the patch in blocks; false stops the writer.
    using Sink = std::function<bool(std::string_view block)>;
    // A writer's whole patch gathered into one string.
    using Writer = std::function<Result<void, PatchFailure>(const Sink& sink)>;
    static Result<std::string, PatchFailure> Gather(const Writer& write);

    explicit PatchOutput(const Sink& sink);

    void Byte(uint8_t byte);
    void Bytes(std::span<const uint8_t> bytes);
    void Bytes(std::string_view bytes);
    // Big-endian, the low `count` bytes of `value`.
    void BigEndian(uint64_t value, int count);
    void LittleEndian32(uint32_t value);
    // The CRC32 of every byte given so far.
    uint32_t Crc() const;
    // Hands over what is left; false when the sink refused any block.
    bool Finish();
    bool Failed() const { return m_failed; }

private:
    void Flush();

    const Sink& m_sink;
    std::string m_block;
    uint32_t m_crc = 0;
    bool m_failed = false;
};
