#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "module/LoadModuleFile.h"
#include "table/Result.h"

// The rules of the list of loaded modules, over a vector that its owner (the
// editor dialog) keeps: modules owned, in the order they were loaded. The
// module selector mirrors the vector item for item, so indexes are shared.
class ModuleList {
public:
    using Modules = std::vector<std::unique_ptr<CTableModule>>;

    // The module the call appended, now last in the list; null from
    // AddUnlisted when the path was listed already and nothing was added.
    // A failure says why nothing was added: the file did not open (callers
    // skip it without a word) or Load refused it.
    using AddResult = Result<CTableModule*, ModuleFileError>;

    explicit ModuleList(Modules& modules) : m_modules(modules) {}

    // Loads one module file (LoadModuleFile) and appends the module. On
    // failure the list is unchanged.
    AddResult AddModuleFromFile(const std::string& path);
    // The same, unless a listed module's path equals this one byte for byte
    // (letter case counts): Load Modules never lists a file twice.
    AddResult AddUnlisted(const std::string& path);
    bool Contains(std::string_view path) const;

    // Removes the module at index and returns the index that becomes current:
    // the same index, now holding the module that followed, or the new last
    // one when the last was removed; -1 when the list is empty afterwards.
    // An index that names no module removes nothing and gives -1.
    int RemoveAt(int index);

    int Count() const { return static_cast<int>(m_modules.size()); }
    bool Empty() const { return m_modules.empty(); }
    // GetPath of every module, in list order: what a link file records.
    std::vector<std::string> Paths() const;

private:
    Modules& m_modules;
};
