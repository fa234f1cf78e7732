#include "TempXdgHome.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempXdgHome::TempXdgHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quill-shell-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_root = pattern;
    Set("HOME", m_root.string());
    Set("XDG_CONFIG_HOME", Config().string());
    Set("XDG_DATA_HOME", Data().string());
    Set("XDG_DATA_DIRS", std::string("/usr/share"));
    // With a desktop named, xdg-mime asks that desktop's own services instead
    // of the files written here.
    Set("XDG_CURRENT_DESKTOP", std::nullopt);
}

TempXdgHome::~TempXdgHome() {
    for (const auto& [name, value] : m_saved) {
        if (value) {
            ::setenv(name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }
    std::error_code ec;
    std::filesystem::permissions(m_root, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_root, ec);
}

void TempXdgHome::Set(const char* name, const std::optional<std::string>& value) {
    if (m_saved.count(name) == 0) {
        const char* old = std::getenv(name);
        m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) {
        ::setenv(name, value->c_str(), 1);
    } else {
        ::unsetenv(name);
    }
}

std::string ReadFileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
