// Feeds arbitrary bytes to the reader of rollback files. One is found beside
// a ROM after a crash, or put there by anyone: the reader must never crash,
// must keep every range inside the ROM it names, and whatever it accepts
// must be exactly what the writer's encoding of it gives back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "document/RollbackFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto parsed = RollbackFormat::Parse(bytes);
    if (!parsed) return 0;
    const RollbackFormat::Contents& contents = parsed.Value();
    if (contents.ranges.size() != contents.header.ranges) std::abort();
    std::string again = RollbackFormat::EncodeHeader(contents.header);
    for (const RollbackFormat::Range& range : contents.ranges) {
        if (range.offset + uint64_t{range.old.size()} > contents.header.romLength) std::abort();
        if (range.old.data() < data || range.old.data() + range.old.size() > data + size) std::abort();
        again += RollbackFormat::EncodeRangeHead(range.offset, static_cast<std::uint32_t>(range.old.size()));
        again.append(reinterpret_cast<const char*>(range.old.data()), range.old.size());
    }
    again += RollbackFormat::EncodeTrailer(
            RollbackFormat::Crc(0, {reinterpret_cast<const std::uint8_t*>(again.data()), again.size()}));
    if (again.size() != size || again.compare(0, size, reinterpret_cast<const char*>(data), size) != 0)
        std::abort();
    return 0;
}
