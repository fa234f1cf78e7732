#pragma once

#include <ostream>
#include <string>
#include <vector>

// qlm dump MODULE ROM: the whole table as CSV, one row per entry, each
// element as the editor's form shows it.
class DumpCommand {
public:
    static int Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);
};
