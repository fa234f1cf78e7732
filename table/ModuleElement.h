#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "table/ElementStyle.h"

// One field of a table entry. valueNames and values hold valueCount items
// each (dropbox elements only); data holds the element's bytes for the
// module's current entry and stays empty until an entry is selected.
struct ModuleElement {
    std::string name;
    uint32_t offset = 0;
    uint32_t size = 0;
    uint8_t style = 0;
    std::vector<std::string> valueNames;
    std::vector<uint32_t> values;
    std::vector<uint8_t> data;
    int32_t valueCount = 0;
};
