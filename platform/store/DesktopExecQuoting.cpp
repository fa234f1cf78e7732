#include "platform/store/DesktopExecQuoting.h"

namespace {

constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInQuotes = "\"`$\\";

// Length of the UTF-8 sequence starting at s[i], or 0 when it is malformed.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
    auto lead = static_cast<unsigned char>(s[i]);
    std::size_t len = lead < 0x80           ? 1
                      : (lead >> 5) == 0x6  ? 2
                      : (lead >> 4) == 0xE  ? 3
                      : (lead >> 3) == 0x1E ? 4
                                            : 0;
    if (len == 0 || i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    }
    if (len == 2 && lead < 0xC2) return 0; // overlong
    return len;
}

bool Representable(std::string_view path) {
    for (std::size_t i = 0; i < path.size();) {
        auto c = static_cast<unsigned char>(path[i]);
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) return false;
        std::size_t len = Utf8Length(path, i);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

std::string ExecQuoted(std::string_view path) {
    const bool quote = path.empty() || path.find_first_of(kReserved) != std::string_view::npos;
    std::string out = quote ? "\"" : "";
    for (char c : path) {
        if (c == '%') {
            out += "%%";
            continue;
        }
        if (quote && kEscapedInQuotes.find(c) != std::string_view::npos) out += '\\';
        out += c;
    }
    return quote ? out + "\"" : out;
}

std::string StringEscaped(std::string_view value) {
    std::string out;
    for (char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::optional<std::string> DesktopExecQuoting::Argument(std::string_view path) {
    if (!Representable(path)) return std::nullopt;
    return StringEscaped(ExecQuoted(path));
}
