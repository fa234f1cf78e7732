#include "document/ModuleList.h"

#include <new>

#include "platform/files/CPath.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

ModuleList::AddResult ModuleList::AddModuleFromFile(const std::string& path) {
    ModuleFileResult loaded = LoadModuleFile(path);
    if (!loaded) return AddResult::Failure(loaded.Error());
    // A list that cannot grow refuses the module as a failed load would; the
    // list is as it was, as push_back promises.
    try {
        m_modules.push_back(std::move(loaded).Value());
    } catch (const std::bad_alloc&) {
        ModuleFileError full;
        full.error = LoadError::OutOfMemory;
        full.fileName = CPath::NameOf(path);
        return AddResult::Failure(std::move(full));
    }
    return m_modules.back().get();
}

ModuleList::AddResult ModuleList::AddUnlisted(const std::string& path) {
    if (Contains(path)) return nullptr;
    return AddModuleFromFile(path);
}

ModuleList::Failures ModuleList::AddModulesFromFiles(const std::vector<std::string>& paths) {
    Failures failures;
    for (const std::string& path : paths) {
        AddResult added = AddModuleFromFile(path);
        if (added || added.Error().NotOpened()) continue;
        if (failures.listed.size() < kListedFailures) failures.listed.push_back(added.Error());
        ++failures.count;
    }
    return failures;
}

std::string ModuleList::Failures::Text() const {
    std::vector<std::string> texts;
    for (const ModuleFileError& error : listed)
        texts.push_back(ModuleErrorText(error.fileName, error));
    if (count == 1 && texts.size() == 1) return texts.front();
    return ModuleFailuresText(texts, count);
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

ModuleList::ReloadOutcome ModuleList::Reload() {
    ReloadOutcome outcome;
    Modules kept;
    kept.reserve(m_modules.size());
    for (const auto& module : m_modules) {
        ModuleFileResult loaded = LoadModuleFile(module->GetPath());
        if (!loaded) {
            outcome.failures.push_back(loaded.Error());
            outcome.newIndex.push_back(-1);
            continue;
        }
        outcome.newIndex.push_back(static_cast<int>(kept.size()));
        kept.push_back(std::move(loaded).Value());
    }
    m_modules.swap(kept);
    return outcome;
}

int ModuleList::Successor(const ReloadOutcome& outcome, int oldIndex, int count) {
    if (count <= 0 || oldIndex < 0) return -1;
    const auto& map = outcome.newIndex;
    for (std::size_t i = static_cast<std::size_t>(oldIndex); i < map.size(); ++i) {
        if (map[i] >= 0) return map[i];
    }
    return count - 1;
}

std::vector<std::string> ModuleList::Paths() const {
    std::vector<std::string> paths;
    paths.reserve(m_modules.size());
    for (const auto& module : m_modules)
        paths.push_back(module->GetPath());
    return paths;
}
