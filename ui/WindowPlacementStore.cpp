#include "ui/WindowPlacementStore.h"

#include "platform/store/Registry.h"
#include "platform/store/ScopedRegKey.h"

namespace {

constexpr char kWindowsKey[] = "Software\\Quillmoor\\Windows";

} // namespace

std::vector<uint8_t> WindowPlacementStore::Recall(const std::string& window) {
    ScopedRegKey key;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, kWindowsKey, KEY_READ, key.Receive()) != ERROR_SUCCESS) return {};
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueEx(key.Get(), window.c_str(), &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return {};
    std::vector<uint8_t> placement(size);
    if (RegQueryValueEx(key.Get(), window.c_str(), &type, placement.data(), &size) != ERROR_SUCCESS)
        return {};
    placement.resize(size);
    return placement;
}

void WindowPlacementStore::Remember(const std::string& window, const std::vector<uint8_t>& placement) {
    ScopedRegKey key;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, kWindowsKey, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, key.Receive(),
                       nullptr) != ERROR_SUCCESS)
        return;
    (void)RegSetValueEx(key.Get(), window.c_str(), REG_BINARY, placement.data(),
                        static_cast<DWORD>(placement.size()));
}
