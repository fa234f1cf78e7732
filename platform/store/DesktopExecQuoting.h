#pragma once

#include <optional>
#include <string>
#include <string_view>

// Writes a program path as one argument of a desktop entry's Exec key. Two
// layers apply: the Exec quoting (an argument with a reserved character is
// double-quoted, with " ` $ \ escaped inside, and % doubled) and then the
// escaping of any string value (\ becomes \\, line breaks \n, tabs \t), so a
// backslash in a path ends up as four.
class DesktopExecQuoting {
public:
    // nullopt when the path cannot be written in a desktop entry at all: bytes
    // that are not UTF-8, or control characters other than tab and line breaks.
    static std::optional<std::string> Argument(std::string_view path);
};
