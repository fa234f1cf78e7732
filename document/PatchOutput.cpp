#include "document/PatchOutput.h"

#include "document/Crc32.h"

namespace {

// Large enough that the sink's cost (a write() for a file) vanishes, small
// enough to stay in the cache.
constexpr size_t kBlock = 64 * 1024;

} // namespace

Result<std::string, PatchFailure> PatchOutput::Gather(const Writer& write) {
    std::string patch;
    const Result<void, PatchFailure> written = write([&patch](std::string_view block) {
        patch.append(block);
        return true;
    });
    if (!written) return Result<std::string, PatchFailure>::Failure(written.Error());
    return patch;
}

PatchOutput::PatchOutput(const Sink& sink) : m_sink(sink) {
    m_block.reserve(kBlock);
}

void PatchOutput::Byte(uint8_t byte) {
    m_block.push_back(static_cast<char>(byte));
    if (m_block.size() >= kBlock) Flush();
}

void PatchOutput::Bytes(std::span<const uint8_t> bytes) {
    Bytes(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void PatchOutput::Bytes(std::string_view bytes) {
    while (!bytes.empty()) {
        const size_t room = kBlock - m_block.size();
        const std::string_view part = bytes.substr(0, room);
        m_block.append(part);
        bytes.remove_prefix(part.size());
        if (m_block.size() >= kBlock) Flush();
    }
}

void PatchOutput::BigEndian(uint64_t value, int count) {
    for (int shift = 8 * (count - 1); shift >= 0; shift -= 8)
        Byte(static_cast<uint8_t>(value >> shift));
}

void PatchOutput::LittleEndian32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        Byte(static_cast<uint8_t>(value >> shift));
}

uint32_t PatchOutput::Crc() const {
    return Crc32::Of(m_block, m_crc);
}

void PatchOutput::Flush() {
    m_crc = Crc32::Of(m_block, m_crc);
    if (!m_failed && !m_sink(m_block)) m_failed = true;
    m_block.clear();
}

bool PatchOutput::Finish() {
    Flush();
    return !m_failed;
}
