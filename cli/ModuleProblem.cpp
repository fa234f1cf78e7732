#include "ModuleProblem.h"

#include "module/LoadModuleFile.h"
#include "platform/files/CPath.h"
#include "res/StringTable.h"

std::string ModuleProblem(std::string_view path, const ModuleFileError& error) {
    if (error.NotOpened()) return CannotText(FileAction::Open, path, error.reason);
    return QlmLoadErrorText(ShownPath(path, error.modulePath, error.at.file), error.at.line, error.error,
                            error.element);
}

std::string ShownPath(std::string_view path, std::string_view modulePath, std::string_view opened) {
    if (opened.empty() || opened == modulePath) return std::string(path);
    const std::string folder = CPath::FolderOf(modulePath);
    if (opened.substr(0, folder.size()) != folder) return std::string(opened);
    return CPath::FolderOf(path) + std::string(opened.substr(folder.size()));
}
