#include "platform/files/CPath.h"

#include <algorithm>

std::string CPath::JoinSideFile(std::string_view folder, std::string_view line) {
    std::string path(folder);
    std::string name(line);
    std::replace(name.begin(), name.end(), '\\', '/');
    return path + name;
}

std::string CPath::FolderOf(std::string_view path) {
    size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    return std::string(path.substr(0, slash + 1));
}

std::string CPath::NameOf(std::string_view path) {
    size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}
