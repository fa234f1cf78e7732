#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CTableModule;

// The rules of the list of loaded modules, over a vector that its owner (the
// editor dialog) keeps: modules owned, in the order they were loaded. The
// module selector mirrors the vector item for item, so indexes are shared.
class ModuleList {
public:
    using Modules = std::vector<std::unique_ptr<CTableModule>>;

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

    explicit ModuleList(Modules& modules) : m_modules(modules) {}

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
    Modules& m_modules;
};
