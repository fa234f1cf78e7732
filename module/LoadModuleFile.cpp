#include "module/LoadModuleFile.h"

#include <new>

#include "platform/files/CFile.h"
#include "platform/files/CPath.h"

ModuleFileResult LoadModuleFile(const std::string& path) {
    // A module's counts and side files can ask for more memory than there
    // is; that fails the one load, and whatever it had made goes with it.
    try {
        CFile file;
        if (!file.Open(path, CFile::modeRead))
            return ModuleFileResult::Failure({LoadError::None, file.LastErrorText(), CPath::NameOf(path)});
        auto module = std::make_unique<CTableModule>();
        const LoadError error = module->Load(file);
        if (error != LoadError::None) return ModuleFileResult::Failure({error, {}, file.GetFileName()});
        return module;
    } catch (const std::bad_alloc&) {
        return ModuleFileResult::Failure({LoadError::OutOfMemory, {}, CPath::NameOf(path)});
    }
}
