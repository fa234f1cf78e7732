#include "ui/RecentRoms.h"

#include <algorithm>

#include "platform/files/CPath.h"
#include "platform/store/Registry.h"
#include "platform/store/ScopedRegKey.h"
#include "res/StringTable.h"

namespace {

constexpr char kQuillmoorKey[] = "Software\\Quillmoor";
// One value, so a change is one write of the store.
constexpr char kRecentValue[] = "Recent Roms";

} // namespace

std::vector<std::string> RecentRoms::Recall() {
    std::vector<std::string> paths;
    ScopedRegKey key;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, kQuillmoorKey, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return paths;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueEx(key.Get(), kRecentValue, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return paths;
    std::vector<BYTE> data(size);
    if (RegQueryValueEx(key.Get(), kRecentValue, &type, data.data(), &size) != ERROR_SUCCESS) return paths;
    const std::string text(data.begin(), data.begin() + size);
    for (size_t at = 0; at < text.size() && paths.size() < kLimit;) {
        const size_t end = std::min(text.find('\0', at), text.size());
        std::string path = text.substr(at, end - at);
        // A store edited by hand may hold empty strings or a file twice.
        if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(std::move(path));
        at = end + 1;
    }
    return paths;
}

bool RecentRoms::Add(const std::string& path) {
    if (path.empty()) return false;
    std::vector<std::string> paths = Recall();
    std::erase(paths, path);
    paths.insert(paths.begin(), path);
    if (paths.size() > kLimit) paths.resize(kLimit);
    return Store(paths);
}

bool RecentRoms::Remove(const std::string& path) {
    std::vector<std::string> paths = Recall();
    if (std::erase(paths, path) == 0) return true;
    return Store(paths);
}

bool RecentRoms::Store(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths) {
        text += path;
        text += '\0';
    }
    text += '\0';
    ScopedRegKey key;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, kQuillmoorKey, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                       key.Receive(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueEx(key.Get(), kRecentValue, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(text.data()),
                         static_cast<DWORD>(text.size())) == ERROR_SUCCESS;
}

std::vector<std::string> RecentRoms::Labels(const std::vector<std::string>& paths) {
    std::vector<std::string> labels;
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::string name = CPath::NameOf(paths[i]);
        const bool shared = std::count_if(paths.begin(), paths.end(), [&](const std::string& other) {
                                return CPath::NameOf(other) == name;
                            }) > 1;
        labels.push_back(RecentRomLabel(i + 1, name, shared ? CPath::FolderOf(paths[i]) : std::string()));
    }
    return labels;
}
