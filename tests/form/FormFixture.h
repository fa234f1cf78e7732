#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/windows/CWnd.h"

class CTableModule;

// One element of a module put together in a test.
struct ElementDef {
    std::string name;
    std::uint32_t offset = 0;
    std::uint32_t size = 1;
    std::uint8_t style = 0;
    std::vector<std::pair<std::uint32_t, std::string>> values;
};

// A module as the loader would leave it: entries named "Entry 0", "Entry 1", ...
std::unique_ptr<CTableModule> MakeModule(std::uint32_t base, std::int32_t entryCount,
                                         std::uint32_t entryLength, const std::vector<ElementDef>& elements);
// n plain one-byte unsigned elements, one after the other.
std::vector<ElementDef> NumberElements(int n);

// Where a child window lies in its parent's client area.
CRect RectInParent(const CWnd& child);

// The registry store in a fresh folder for one test, so that starting the
// dialog never reads the user's own association.
class ScopedRegistryFolder {
public:
    ScopedRegistryFolder();
    ~ScopedRegistryFolder();
    ScopedRegistryFolder(const ScopedRegistryFolder&) = delete;
    ScopedRegistryFolder& operator=(const ScopedRegistryFolder&) = delete;

private:
    std::filesystem::path m_folder;
};

// A fresh folder under the system's temporary folder, removed with the object.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path Write(const std::string& name, const std::string& content) const;
    static std::string ReadAll(const std::filesystem::path& file);

private:
    std::filesystem::path m_path;
};
