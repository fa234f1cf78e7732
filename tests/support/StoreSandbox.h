#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/win32/WinTypes.h"

// A throwaway home for one test: HOME and the XDG config, data and state folders
// point into a fresh scratch folder for the life of the object and are put
// back afterwards. The registry store and the desktop files the association
// writes follow those variables, so no test ever reads or changes the real
// user's. Also the store as the user's other programs see it: through a
// freshly opened key of HKEY_CLASSES_ROOT, never through the code under test.
class StoreSandbox {
public:
    // A value as the store returns it.
    struct Value {
        DWORD type = 0;
        std::vector<BYTE> data;
        std::string Text() const { return std::string(data.begin(), data.end()); }
    };

    StoreSandbox();
    ~StoreSandbox();
    StoreSandbox(const StoreSandbox&) = delete;
    StoreSandbox& operator=(const StoreSandbox&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    std::filesystem::path Config() const { return m_root / "config"; }
    std::filesystem::path Data() const { return m_root / "data"; }
    std::filesystem::path State() const { return m_root / "state"; }
    // Where the desktop looks for the .qlm association's two files in this
    // home: the MIME package that declares the type and the desktop entry
    // that opens it.
    std::filesystem::path MimePackage() const { return Data() / "mime/packages/quillmoor-module.xml"; }
    std::filesystem::path DesktopEntry() const { return Data() / "applications/quillmoor-module.desktop"; }

    // What a desktop tool prints (the command's standard output without its
    // last line end), asked in whatever home is current.
    static std::string AskDesktop(const std::string& command);
    // The first tool missing for the desktop to resolve a module's type and
    // handler from the files in this home; empty when all are installed.
    // xdg-mime leaves the guessing to `mimetype` (the shared MIME database)
    // only when that is installed; `file` alone knows nothing of our type.
    static std::string MissingDesktopTool();

    // nullopt when the key or the value is missing; a null name is the
    // key's default value.
    static std::optional<Value> Read(const std::string& key, const char* name = nullptr);
    static bool HasKey(const std::string& key);
    // Creates the key, and any above it.
    static bool CreateKey(const std::string& key);

private:
    void Set(const char* name, const std::optional<std::string>& value);

    TempDir m_home;
    std::filesystem::path m_root;
    std::map<std::string, std::optional<std::string>> m_saved;
};
