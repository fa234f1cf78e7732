#include "ui/OriginalStore.h"

#include <vector>

#include "platform/store/Registry.h"
#include "platform/store/ScopedRegKey.h"

namespace {

constexpr char kOriginalsKey[] = "Software\\Quillmoor\\Originals";

} // namespace

std::optional<std::string> OriginalStore::Recall(const std::string& romPath) {
    ScopedRegKey key;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, kOriginalsKey, KEY_READ, key.Receive()) != ERROR_SUCCESS) return {};
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueEx(key.Get(), romPath.c_str(), &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return {};
    std::vector<BYTE> data(size);
    if (RegQueryValueEx(key.Get(), romPath.c_str(), &type, data.data(), &size) != ERROR_SUCCESS) return {};
    std::string path(data.begin(), data.begin() + size);
    // A string value ends with its terminator.
    while (!path.empty() && path.back() == '\0')
        path.pop_back();
    if (path.empty()) return {};
    return path;
}

bool OriginalStore::Remember(const std::string& romPath, const std::string& originalPath) {
    ScopedRegKey key;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, kOriginalsKey, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                       key.Receive(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueEx(key.Get(), romPath.c_str(), REG_SZ,
                         reinterpret_cast<const BYTE*>(originalPath.c_str()),
                         static_cast<DWORD>(originalPath.size() + 1)) == ERROR_SUCCESS;
}
