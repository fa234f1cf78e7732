#pragma once

#include <ostream>
#include <string>
#include <vector>

// qlm check MODULE: loads the module and prints a one-line summary of it.
class CheckCommand {
public:
    static int Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);
};
