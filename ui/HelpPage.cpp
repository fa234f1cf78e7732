#include "ui/HelpPage.h"

#include "platform/windows/CWnd.h"
#include "platform/windows/Shell.h"
#include "table/HexText.h"

namespace {

bool NeedsEscape(unsigned char c) {
    return c <= 0x20 ? c != ' ' : c >= 0x7F || c == '#' || c == '?' || c == '%';
}

std::string Escaped(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (!NeedsEscape(c)) {
            out += ch;
            continue;
        }
        out += '%';
        HexText::AppendByte(out, c);
    }
    return out;
}

} // namespace

std::string HelpPage::UrlFor(std::string_view programPath) {
    const std::size_t cut = programPath.rfind('/');
    const std::string_view folder =
            cut == std::string_view::npos ? std::string_view() : programPath.substr(0, cut);
    return "file://" + Escaped(folder) + "/help/index.html";
}

void HelpPage::Open(CWnd& owner) {
    const std::string url = UrlFor(GetModuleFileName());
    // No verb, the desktop's default action; whether it worked is not ours to
    // know, the handler shows its own error for a missing page.
    ShellExecute(owner.GetSafeHwnd(), nullptr, url.c_str(), nullptr, nullptr, SW_HIDE);
}
