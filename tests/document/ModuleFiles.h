#pragma once

#include <string>
#include <string_view>

// Small module files for the document tests.
class ModuleFiles {
public:
    // A module titled `title` that loads: one table of 2 entries of 4 bytes
    // at offset 0 with one byte element, no entry names, no character table.
    static std::string Valid(std::string_view title);
    // A module whose version line makes Load fail with error 1.
    static std::string WrongVersion();
};
