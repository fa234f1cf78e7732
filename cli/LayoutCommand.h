#pragma once

#include <ostream>
#include <string>
#include <vector>

// qlm layout MODULE: one entry of the module as a byte map, one line per
// byte range with its offset, its length and the elements covering it.
class LayoutCommand {
public:
    static int Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);
};
