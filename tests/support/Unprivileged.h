#pragma once

#include <functional>
#include <string>

// Runs a piece of a test as an ordinary user. Tests of permission failures
// mean nothing as root, which opens read-only files for writing all the same,
// and CI runs as root. When already unprivileged the function runs here.
class Unprivileged {
public:
    // The function's text, or "child failed" when the child process did not
    // report back.
    static std::string Run(const std::function<std::string()>& work);
};
