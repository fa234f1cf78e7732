#pragma once

#include <functional>
#include <optional>
#include <string>

// Runs a piece of a test that must not hang in a child process, so that a
// regression fails the one test instead of stalling the suite.
class Deadline {
public:
    // The function's text; nullopt when the child has not finished within
    // `seconds` (it is killed then, with any program it started) or did not
    // exit normally.
    static std::optional<std::string> Run(unsigned seconds, const std::function<std::string()>& work);
};
