#include "module/LoadModuleFile.h"

#include <new>

#include "module/ModuleLoader.h"
#include "platform/files/CFile.h"
#include "platform/files/CPath.h"

namespace {

ModuleFileResult Failed(LoadFailure failure, std::string reason, const std::string& path,
                        std::string modulePath = {}) {
    ModuleFileError error;
    error.modulePath = std::move(modulePath);
    static_cast<LoadFailure&>(error) = std::move(failure);
    error.reason = std::move(reason);
    error.fileName = CPath::NameOf(path);
    return ModuleFileResult::Failure(std::move(error));
}

} // namespace

ModuleFileResult LoadModuleFile(const std::string& path) {
    // A module's counts and side files can ask for more memory than there
    // is; that fails the one load, and whatever it had made goes with it.
    try {
        CFile file;
        if (!file.Open(path, CFile::modeRead)) return Failed({}, file.LastErrorText(), path);
        auto module = std::make_unique<CTableModule>();
        LoadFailure failure = ModuleLoader(*module, file).Run();
        if (failure.error != LoadError::None) return Failed(std::move(failure), {}, path, file.GetFilePath());
        return module;
    } catch (const std::bad_alloc&) {
        return Failed({LoadError::OutOfMemory, {path, 0}, {}}, {}, path);
    }
}
