#include "document/Patch.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "document/BpsPatch.h"
#include "document/IpsPatch.h"

namespace {

bool Starts(std::span<const uint8_t> patch, std::string_view magic) {
    return patch.size() >= magic.size() && std::equal(magic.begin(), magic.end(), patch.begin());
}

} // namespace

std::optional<PatchFormat> Patch::FormatOfName(std::string_view path) {
    const size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    std::string extension(name.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "ips") return PatchFormat::Ips;
    if (extension == "bps") return PatchFormat::Bps;
    return std::nullopt;
}

Result<void, PatchFailure> Patch::Write(PatchFormat format, std::span<const uint8_t> original,
                                        std::span<const uint8_t> modified, const PatchOutput::Sink& sink) {
    return format == PatchFormat::Ips ? IpsPatch::Write(original, modified, sink)
                                      : BpsPatch::Write(original, modified, sink);
}

Result<std::vector<uint8_t>, PatchFailure> Patch::Apply(std::span<const uint8_t> patch,
                                                        std::span<const uint8_t> source) {
    if (Starts(patch, "PATCH")) return IpsPatch::Apply(patch, source);
    if (Starts(patch, "BPS1")) return BpsPatch::Apply(patch, source);
    return Result<std::vector<uint8_t>, PatchFailure>::Failure({PatchFailure::Kind::UnknownKind});
}

Result<void, PatchFailure> Patch::Apply(std::span<const uint8_t> patch, std::span<const uint8_t> source,
                                        const PatchTarget::Sink& sink,
                                        const PatchTarget::ReadBack& readBack) {
    using Outcome = Result<void, PatchFailure>;
    if (Starts(patch, "BPS1")) return BpsPatch::Apply(patch, source, sink, readBack);
    if (Starts(patch, "PATCH")) return IpsPatch::Apply(patch, source, sink);
    return Outcome::Failure({PatchFailure::Kind::UnknownKind});
}
