#pragma once

#include <string>
#include <vector>

// What the editor's command line asks before any window exists: the
// options that print and end the program are answered without the toolkit,
// so they work with no display at all.
class StartupOptions {
public:
    enum class Action {
        Run,
        Help,
        Version,
        Invalid,
    };

    // args without the program's path.
    static StartupOptions Parse(const std::vector<std::string>& args);

    Action action = Action::Run;
    // For Invalid: what is wrong, without the program's name.
    std::string problem;

    // The text to print for Help, Version and Invalid.
    std::string Output() const;
    // 0 for Help and Version, 2 for Invalid.
    int ExitCode() const { return action == Action::Invalid ? 2 : 0; }
};
