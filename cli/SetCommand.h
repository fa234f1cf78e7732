#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "document/ElementInput.h"
#include "document/RomDocument.h"
#include "table/Result.h"

class CTableModule;

// qlm set MODULE ROM ENTRY ELEMENT VALUE: stores one value the way Apply
// Changes does (read strictly unless --form-rules) and writes back the bytes of the entry that its elements
// cover. Every check runs before the first write, so a refused value leaves
// the file exactly as it was; the file never changes length.
class SetCommand {
public:
    static int Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err,
                   InputRules rules, RomDocument::InPlace inPlace = RomDocument::InPlace::Safe);

private:
    // The index, or the text telling the user why there is none.
    static Result<int, std::string> FindEntry(const CTableModule& module, const std::string& text);
    static Result<int, std::string> FindElement(const CTableModule& module, const std::string& text);
    // [begin, end) runs of the entry that some element covers.
    static std::vector<std::pair<uint32_t, uint32_t>> CoveredRanges(const CTableModule& module);
};
