#pragma once

#include <ostream>
#include <string>
#include <vector>

// qlm check [--warnings] [--strict] MODULE: loads the module and prints a
// one-line summary of it; with warnings, then what it may mean by mistake.
class CheckCommand {
public:
    struct Options {
        bool warnings = false;
        // Warnings make the check fail.
        bool strict = false;
    };

    static int Run(const std::vector<std::string>& operands, Options options, std::ostream& out,
                   std::ostream& err);
};
