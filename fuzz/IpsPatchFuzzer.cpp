// Applies arbitrary bytes as an IPS patch. Patches come from anywhere: a
// damaged one must be refused with a message, never followed past its end.
// Whatever a patch makes, the writer must make a patch that makes it again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "PatchFuzzSource.h"
#include "document/IpsPatch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto source = PatchFuzzSource();
    const auto made = IpsPatch::Apply({data, size}, source);
    if (!made) {
        if (made.Error().Text().empty()) std::abort();
        return 0;
    }
    // Larger targets only cost time: the records reach 16 MiB and a little.
    if (made.Value().size() > 1 << 16) return 0;
    const auto again = IpsPatch::Create(source, made.Value());
    if (!again) std::abort();
    const auto& patch = again.Value();
    const auto remade =
            IpsPatch::Apply({reinterpret_cast<const uint8_t*>(patch.data()), patch.size()}, source);
    if (!remade || remade.Value() != made.Value()) std::abort();
    return 0;
}
