#include "ModuleProblem.h"

#include "module/LoadModuleFile.h"
#include "res/StringTable.h"

std::string ModuleProblem(std::string_view path, const ModuleFileError& error) {
    if (error.NotOpened()) return CannotText(FileAction::Open, path, error.reason);
    return QlmLoadErrorText(path, error.error);
}
