#include "StoreSandbox.h"

#include <cstdio>
#include <cstdlib>

#include "platform/store/Registry.h"
#include "platform/store/ScopedRegKey.h"
#include "platform/store/ToolRunner.h"

StoreSandbox::StoreSandbox() : m_root(std::filesystem::path(m_home.Path()).parent_path()) {
    Set("HOME", m_root.string());
    Set("XDG_CONFIG_HOME", Config().string());
    Set("XDG_DATA_HOME", Data().string());
    // The editor's recovery journals.
    Set("XDG_STATE_HOME", State().string());
    Set("XDG_DATA_DIRS", std::string("/usr/share"));
    // With a desktop named, xdg-mime asks that desktop's own services instead
    // of the files written here.
    Set("XDG_CURRENT_DESKTOP", std::nullopt);
}

StoreSandbox::~StoreSandbox() {
    for (const auto& [name, value] : m_saved) {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
    // Tests take write access away from folders; the scratch folder can only
    // go once it is back.
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(m_root, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
    }
}

void StoreSandbox::Set(const char* name, const std::optional<std::string>& value) {
    if (m_saved.count(name) == 0) {
        const char* old = std::getenv(name);
        m_saved[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value)
        ::setenv(name, value->c_str(), 1);
    else
        ::unsetenv(name);
}

std::string StoreSandbox::AskDesktop(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            out += buffer;
        ::pclose(pipe);
    }
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

std::string StoreSandbox::MissingDesktopTool() {
    for (const char* tool : {"xdg-mime", "mimetype", "update-mime-database", "update-desktop-database"})
        if (ToolRunner::Find(tool).empty()) return tool;
    return {};
}

std::optional<StoreSandbox::Value> StoreSandbox::Read(const std::string& key, const char* name) {
    ScopedRegKey handle;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, key.c_str(), KEY_READ, handle.Receive()) != ERROR_SUCCESS)
        return std::nullopt;
    Value value;
    DWORD size = 0;
    if (RegQueryValueEx(handle.Get(), name, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    if (RegQueryValueEx(handle.Get(), name, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool StoreSandbox::HasKey(const std::string& key) {
    ScopedRegKey handle;
    return RegOpenKeyEx(HKEY_CLASSES_ROOT, key.c_str(), KEY_READ, handle.Receive()) == ERROR_SUCCESS;
}

bool StoreSandbox::CreateKey(const std::string& key) {
    ScopedRegKey handle;
    return RegCreateKeyEx(HKEY_CLASSES_ROOT, key.c_str(), REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                          handle.Receive(), nullptr) == ERROR_SUCCESS;
}
