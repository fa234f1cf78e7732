// Applies arbitrary bytes as a BPS patch, as they are and with their
// checksums of the patch and the source made right, so that the fuzzer's
// changes reach the actions rather than stopping at the first checksum.
// A damaged patch must be refused with a message; a patch that applies
// must be made again by the writer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>
#include <zlib.h>

#include "PatchFuzzSource.h"
#include "document/BpsPatch.h"

namespace {

// Larger declared targets are refused before anything is allocated; the
// bound keeps each run quick.
constexpr uint64_t kLargestTarget = 1 << 20;

void PutCrc(std::vector<uint8_t>& patch, size_t at, uint32_t crc) {
    for (size_t i = 0; i < 4; ++i)
        patch[at + i] = static_cast<uint8_t>(crc >> (8 * i));
}

uint32_t Crc(std::span<const uint8_t> bytes) {
    return static_cast<uint32_t>(crc32(0, bytes.data(), static_cast<uInt>(bytes.size())));
}

void Check(std::span<const uint8_t> patch, std::span<const uint8_t> source) {
    const auto made = BpsPatch::Apply(patch, source, kLargestTarget);
    if (!made) {
        if (made.Error().Text().empty()) std::abort();
        return;
    }
    if (made.Value().size() > kLargestTarget) std::abort();
    const auto again = BpsPatch::Create(source, made.Value());
    if (!again) std::abort();
    const auto& bytes = again.Value();
    const auto remade = BpsPatch::Apply({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()},
                                        source, kLargestTarget);
    if (!remade || remade.Value() != made.Value()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto source = PatchFuzzSource();
    Check({data, size}, source);
    if (size < 12) return 0;
    std::vector<uint8_t> sealed(data, data + size);
    PutCrc(sealed, size - 12, Crc(source));
    PutCrc(sealed, size - 4, Crc(std::span(sealed).first(size - 4)));
    Check(sealed, source);
    return 0;
}
