#include "module/LoadModuleFile.h"

#include "platform/files/CFile.h"
#include "platform/files/CPath.h"

ModuleFileResult LoadModuleFile(const std::string& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return ModuleFileResult::Failure(
                {LoadError::None, file.LastErrorText(), std::string(CPath::NameOf(path))});
    auto module = std::make_unique<CTableModule>();
    const LoadError error = module->Load(file);
    if (error != LoadError::None) return ModuleFileResult::Failure({error, {}, file.GetFileName()});
    return module;
}
