#pragma once

#include <string>
#include <vector>

// What the editor's command line asks before any window exists: the
// options that print and end the program are answered without the toolkit,
// so they work with no display at all. The toolkit's own options are left
// to it; any other flag is skipped with a warning, as the first argument
// that is not a flag names the module whatever flags stand around it.
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
    // The flags neither the editor nor the toolkit knows.
    std::vector<std::string> ignored;

    // The text to print for Help, Version and Invalid.
    std::string Output() const;
    // One line on standard error per ignored flag.
    std::string Warnings() const;
    // 0 for Help and Version, 2 for Invalid.
    int ExitCode() const { return action == Action::Invalid ? 2 : 0; }
};
