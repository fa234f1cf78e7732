#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CTableModule;

// The loaded modules, owned, in the order they were loaded. The module
// selector mirrors this list item for item, so indexes are shared with it.
class ModuleList {
public:
    enum class AddStatus {
        Added,
        // The file could not be opened; callers skip it without a word.
        NotOpened,
        // Load refused the file; errorId and fileName say why and which.
        LoadFailed,
        // AddUnlisted only: the path is already in the list.
        AlreadyListed,
    };

    struct AddResult {
        AddStatus status = AddStatus::NotOpened;
        // The load error id when status is LoadFailed, else 0.
        int errorId = 0;
        // The module file's name without folder, for the error message.
        std::string fileName;
    };

    // One module file opened and loaded but not listed: the module when
    // status is Added, else null with the reason.
    struct Loaded {
        AddResult result;
        std::unique_ptr<CTableModule> module;
    };
    // What AddModuleFromFile does short of appending, for owners that keep
    // modules in a list of their own.
    static Loaded LoadFile(const std::string& path);

    ModuleList();
    ~ModuleList();
    ModuleList(const ModuleList&) = delete;
    ModuleList& operator=(const ModuleList&) = delete;

    // Opens, constructs and loads one module file and appends it. A module
    // that fails to load is destroyed; the list is unchanged then.
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
    void Clear();

    int Count() const { return static_cast<int>(m_modules.size()); }
    bool Empty() const { return m_modules.empty(); }
    // Null when the index names no module.
    CTableModule* At(int index);
    const CTableModule* At(int index) const;
    // GetPath of every module, in list order: what a link file records.
    std::vector<std::string> Paths() const;

    // "An error occurred while trying to load the module <name>.\n\n<message>"
    static std::string ComposeLoadError(std::string_view fileName, std::string_view message);
    // The same with the message of the load error id from the string table.
    static std::string LoadErrorText(const AddResult& failure);

private:
    std::vector<std::unique_ptr<CTableModule>> m_modules;
};
