#pragma once

#include <ostream>
#include <string>
#include <vector>

// qlm diff MODULE ROM_A ROM_B: the table's elements whose shown text differs
// between two ROMs, as CSV (Entry,Element,Before,After), in entry then
// element order; with `bytes`, the ranges outside the table whose bytes
// differ as well. Exit status as diff(1): 0 when nothing differs, 1 when
// something does, 2 on trouble.
class DiffCommand {
public:
    static int Run(const std::vector<std::string>& operands, bool bytes, std::ostream& out,
                   std::ostream& err);
};
