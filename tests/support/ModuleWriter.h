#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TempDir;

// Module files for tests, built line by line and written into a scratch
// folder together with their side files.
class ModuleWriter {
public:
    using Lines = std::vector<std::string>;
    // Side files as (name relative to the module's folder, bytes).
    using SideFiles = std::vector<std::pair<std::string, std::string>>;

    explicit ModuleWriter(const TempDir& dir) : m_dir(dir) {}

    // The seven header lines of a module titled `title` with its table at
    // 0x10: version "1", title, base, count, length, names and characters.
    static Lines Header(std::string count = "4", std::string length = "8", std::string names = "NULL",
                        std::string chars = "none.tbl", std::string title = "Test");
    // The five lines of an element named "Field".
    static Lines Element(std::string offset, std::string size, std::string style,
                         std::string list = "none.txt");
    // A module that loads: 2 entries of 4 bytes at offset 0, one byte
    // element, no entry names, no character table.
    static Lines Loadable(std::string title);
    // The lines, each ended by `eol`.
    static std::string Text(const Lines& lines, std::string_view eol = "\n");

    // Writes the side files, then the module file `name` (folders in either
    // are made), and returns the module's full path.
    std::string Write(std::string_view name, const Lines& lines, const SideFiles& sideFiles = {},
                      std::string_view eol = "\n") const;

private:
    const TempDir& m_dir;
};

// The lines of a, then those of b.
ModuleWriter::Lines operator+(ModuleWriter::Lines a, const ModuleWriter::Lines& b);
