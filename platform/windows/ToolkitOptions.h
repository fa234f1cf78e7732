#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The options every program built on the toolkit accepts (-style fusion,
// -platform offscreen, -reverse, ...). The toolkit takes them out of argv
// when it starts, but the program reads its command line before that (the
// options that print need no display) and some of them, a display name for
// one, stay in argv on a platform that does not use them, so the program
// must know them to skip them with their values.
class ToolkitOptions {
public:
    // How many arguments, from args[i] on, the toolkit option at args[i]
    // spans: 2 with its value, 1 alone, 0 when args[i] is none of them.
    static std::size_t Span(const std::vector<std::string>& args, std::size_t i);
};
