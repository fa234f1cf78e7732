#include "CModuleOpener.h"

#include "document/FileResult.h"
#include "platform/files/CFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

std::unique_ptr<CTableModule> CModuleOpener::Open(const std::string& path, std::string& problem) {
    CFile file;
    if (!file.Open(path, CFile::modeRead)) {
        problem = FileResult::Failure("open", path, file).Message();
        return nullptr;
    }
    auto module = std::make_unique<CTableModule>();
    const int error = module->Load(file);
    file.Close();
    if (error != 0) {
        problem = path + ": error " + std::to_string(error) + ": " + std::string(LoadErrorMessage(error));
        return nullptr;
    }
    return module;
}
