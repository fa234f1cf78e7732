#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "document/ElementInput.h"
#include "document/RomDocument.h"
#include "document/TableImport.h"

// qlm import MODULE ROM CSV: the table as qlm dump writes it (any subset of
// its columns, rows in any order) read back into ROM. Every cell is checked
// before the first write; a single bad one leaves the file as it was and
// the first few are listed with their row and column. Only the entries that
// change are written, under the same lock as qlm set.
class ImportCommand {
public:
    static int Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err,
                   InputRules rules, RomDocument::InPlace inPlace = RomDocument::InPlace::Safe);

private:
    // [begin, end) of the table's bytes to write: changed entries, with
    // neighbours merged so a table rewritten whole is one write.
    static std::vector<std::pair<uint32_t, uint32_t>> Ranges(const std::vector<int>& entries,
                                                             uint32_t length);
};
