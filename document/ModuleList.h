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

    // How many failed loads one report shows; it counts them all.
    static constexpr size_t kListedFailures = 3;
    struct Failures {
        std::vector<ModuleFileError> listed;
        size_t count = 0;
        bool Empty() const { return count == 0; }
        // The report of them all, for one message box: the one failure's
        // text alone, else the first kListedFailures and how many more.
        std::string Text() const;
    };
    // Appends every module that loads, in order; a file that does not open
    // is skipped without a word, as AddModuleFromFile callers do.
    Failures AddModulesFromFiles(const std::vector<std::string>& paths);

    // Removes the module at index and returns the index that becomes current:
    // the same index, now holding the module that followed, or the new last
    // one when the last was removed; -1 when the list is empty afterwards.
    // An index that names no module removes nothing and gives -1.
    int RemoveAt(int index);

    // Reads every module file again from its path, in list order. A module
    // that loads replaces the old one at its place; one that now fails (or
    // no longer opens) leaves the list. The old modules are gone afterwards,
    // so pointers to them must not be kept across the call.
    struct ReloadOutcome {
        // Why each dropped module failed, in list order.
        std::vector<ModuleFileError> failures;
        // For each index before the reload, the module's index after it, or
        // -1 for a dropped module.
        std::vector<int> newIndex;
    };
    ReloadOutcome Reload();
    // Where the module that was at oldIndex went: itself when it survived,
    // else the one that now holds its place (the next survivor, or the last
    // one); -1 when the list is empty.
    static int Successor(const ReloadOutcome& outcome, int oldIndex, int count);

    int Count() const { return static_cast<int>(m_modules.size()); }
    bool Empty() const { return m_modules.empty(); }
    // GetPath of every module, in list order: what a link file records.
    std::vector<std::string> Paths() const;

private:
    Modules& m_modules;
};
