#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

class CTableModule;

// qlm set MODULE ROM ENTRY ELEMENT VALUE: stores one value the way Apply
// Changes does and saves the ROM in place. Every check runs before the file
// is opened for writing, so a refused value leaves it exactly as it was.
class CSetCommand {
public:
    static int Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);

private:
    static std::optional<int> FindEntry(const CTableModule& module, const std::string& text,
                                        std::string& problem);
    static std::optional<int> FindElement(const CTableModule& module, const std::string& text,
                                          std::string& problem);
};
