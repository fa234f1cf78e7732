#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where the parts of a loaded module were written, kept so that what is
// said about the module later (warnings, layouts) can point at a line.
// Filled by the loader; line numbers count every physical line from 1.
struct ElementSource {
    uint64_t nameLine = 0;
    // The fifth line: its number and text.
    uint64_t listLine = 0;
    std::string listText;
    // A dropbox's value list as opened, and the line of each value in it.
    std::string listPath;
    std::vector<uint64_t> valueLines;
};

struct ModuleSource {
    std::string modulePath;
    uint64_t lengthLine = 0;
    // The entry names line; namesPath stays empty for "NULL".
    uint64_t namesLine = 0;
    std::string namesPath;
    // Significant lines the names file held, the surplus included.
    uint64_t namesRead = 0;
    // The character table line, its text, and whether that file opened.
    uint64_t charTableLine = 0;
    std::string charTableText;
    bool charTableOpened = false;
    std::vector<ElementSource> elements;
};
