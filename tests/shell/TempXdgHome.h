#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

// A throwaway HOME with its own XDG config and data folders, set in the
// environment for the life of the object and restored afterwards, so tests
// never touch the real user's registry store or desktop files.
class TempXdgHome {
public:
    TempXdgHome();
    TempXdgHome(const TempXdgHome&) = delete;
    TempXdgHome& operator=(const TempXdgHome&) = delete;
    ~TempXdgHome();

    const std::filesystem::path& Root() const { return m_root; }
    std::filesystem::path Config() const { return m_root / "config"; }
    std::filesystem::path Data() const { return m_root / "data"; }

private:
    void Set(const char* name, const std::optional<std::string>& value);

    std::filesystem::path m_root;
    std::map<std::string, std::optional<std::string>> m_saved;
};

std::string ReadFileText(const std::filesystem::path& path);
