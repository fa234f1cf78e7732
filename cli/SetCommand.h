#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "table/Result.h"

class CTableModule;

// qlm set MODULE ROM ENTRY ELEMENT VALUE: stores one value the way Apply
// Changes does and saves the ROM in place. Every check runs before the file
// is opened for writing, so a refused value leaves it exactly as it was.
class SetCommand {
public:
    static int Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);

private:
    // The index, or the text telling the user why there is none.
    static Result<int, std::string> FindEntry(const CTableModule& module, const std::string& text);
    static Result<int, std::string> FindElement(const CTableModule& module, const std::string& text);
};
