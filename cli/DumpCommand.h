#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class CTableModule;
class RomFile;

// qlm dump MODULE ROM: the whole table as CSV, one row per entry, each
// element as the editor's form shows it.
class DumpCommand {
public:
    static int Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);

private:
    static void WriteTable(CTableModule& module, const RomFile& rom, std::ostream& out);
};
