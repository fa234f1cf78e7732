#include "document/ModuleList.h"

#include "platform/files/CFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

ModuleList::AddResult ModuleList::AddModuleFromFile(const std::string& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return {AddStatus::NotOpened, 0, {}};
    auto module = std::make_unique<CTableModule>();
    const int err = module->Load(file);
    if (err != 0) return {AddStatus::LoadFailed, err, file.GetFileName()};
    m_modules.push_back(std::move(module));
    return {AddStatus::Added, 0, {}};
}

ModuleList::AddResult ModuleList::AddUnlisted(const std::string& path) {
    if (Contains(path)) return {AddStatus::AlreadyListed, 0, {}};
    return AddModuleFromFile(path);
}

bool ModuleList::Contains(std::string_view path) const {
    for (const auto& module : m_modules) {
        if (module->m_strPath == path) return true;
    }
    return false;
}

int ModuleList::RemoveAt(int index) {
    if (index < 0 || index >= Count()) return -1;
    m_modules.erase(m_modules.begin() + index);
    if (Empty()) return -1;
    return index < Count() ? index : Count() - 1;
}

void ModuleList::Clear() {
    m_modules.clear();
}

CTableModule* ModuleList::At(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    return m_modules[static_cast<size_t>(index)].get();
}

const CTableModule* ModuleList::At(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return m_modules[static_cast<size_t>(index)].get();
}

std::vector<std::string> ModuleList::Paths() const {
    std::vector<std::string> paths;
    paths.reserve(m_modules.size());
    for (const auto& module : m_modules)
        paths.push_back(module->GetPath());
    return paths;
}

std::string ModuleList::ComposeLoadError(std::string_view fileName, std::string_view message) {
    std::string text = "An error occurred while trying to load the module ";
    text.append(fileName).append(".\n\n").append(message);
    return text;
}

std::string ModuleList::LoadErrorText(const AddResult& failure) {
    return ComposeLoadError(failure.fileName, LoadErrorMessage(failure.errorId));
}
