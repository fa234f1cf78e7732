#include "ModuleProblem.h"

#include <filesystem>
#include <system_error>

#include "module/LoadModuleFile.h"
#include "platform/files/CPath.h"
#include "res/StringTable.h"

std::string ModuleProblem(std::string_view path, const ModuleFileError& error) {
    if (error.NotOpened()) return CannotText(FileAction::Open, path, error.reason);
    return QlmLoadErrorText(ShownPath(path, error.modulePath, error.at.file), error.at.line, error.error,
                            error.element);
}

namespace {

// Whether `given` (a folder as the user wrote it, empty for the current one)
// is the folder the loader resolved the module into; not so when the module
// was reached through a link into another folder.
bool SameFolder(const std::string& given, const std::string& resolved) {
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(given.empty() ? "." : given, error);
    return !error && real == std::filesystem::path(resolved).parent_path();
}

} // namespace

std::string ShownPath(std::string_view path, std::string_view modulePath, std::string_view opened) {
    if (opened.empty() || opened == modulePath) return std::string(path);
    const std::string folder = CPath::FolderOf(modulePath);
    const std::string given = CPath::FolderOf(path);
    if (opened.substr(0, folder.size()) != folder || !SameFolder(given, folder)) return std::string(opened);
    return given + std::string(opened.substr(folder.size()));
}
