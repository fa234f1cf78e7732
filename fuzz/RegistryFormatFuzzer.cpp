// Feeds arbitrary bytes to the registry store's file reader. The store file
// lives in the user's config folder where anything may have edited it, so the
// reader must refuse damage cleanly; whatever it accepts must write back to a
// text that reads again into the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/store/RegistryFileFormat.h"
#include "platform/store/RegistryKey.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    RegistryKey first;
    std::string why;
    if (!RegistryFileFormat::Read(text, first, why)) return 0;

    const std::string written = RegistryFileFormat::Write(first);
    RegistryKey second;
    if (!RegistryFileFormat::Read(written, second, why)) std::abort();
    if (RegistryFileFormat::Write(second) != written) std::abort();
    return 0;
}
