#include "platform/windows/ToolkitOptions.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The toolkit's own names, with those of its X11 platform; each takes its
// value as the next argument.
constexpr std::array<std::string_view, 16> kWithValue = {"platform",
                                                         "platformpluginpath",
                                                         "platformtheme",
                                                         "plugin",
                                                         "qwindowgeometry",
                                                         "geometry",
                                                         "qwindowicon",
                                                         "icon",
                                                         "qwindowtitle",
                                                         "title",
                                                         "session",
                                                         "style",
                                                         "stylesheet",
                                                         "display",
                                                         "name",
                                                         "visual"};
constexpr std::array<std::string_view, 5> kAlone = {"reverse", "widgetcount", "testability", "nograb",
                                                    "dograb"};
// Those the toolkit also reads as "-name=value".
constexpr std::array<std::string_view, 3> kJoined = {"style=", "stylesheet=", "qmljsdebugger="};

bool Contains(const auto& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The name without its one or two leading dashes; empty for a non-option.
std::string_view OptionName(std::string_view arg) {
    if (arg.size() < 2 || arg[0] != '-') return {};
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    return arg;
}

} // namespace

std::size_t ToolkitOptions::Span(const std::vector<std::string>& args, std::size_t i) {
    const std::string_view name = OptionName(args.at(i));
    if (name.empty()) return 0;
    if (Contains(kAlone, name)) return 1;
    // Like the toolkit, a value-taking option with nothing after it is left alone.
    if (Contains(kWithValue, name)) return i + 1 < args.size() ? 2 : 0;
    const std::size_t equals = name.find('=');
    return equals != std::string_view::npos && Contains(kJoined, name.substr(0, equals + 1)) ? 1 : 0;
}
