#pragma once

#include <string>
#include <string_view>

// Path helpers for module and side files. Modules written on Windows name
// side files with backslashes, so a '\' in a side-file line also separates
// folders.
class CPath {
public:
    // folder (ending in '/') followed directly by the line, its backslashes
    // turned into '/'. An empty line yields the folder itself.
    static std::string JoinSideFile(std::string_view folder, std::string_view line);
    // Everything up to and including the last '/'; empty when there is none.
    static std::string FolderOf(std::string_view path);
    // Everything after the last '/'.
    static std::string NameOf(std::string_view path);
};
