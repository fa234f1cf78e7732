#include "StoreValue.h"

#include "platform/store/ScopedRegKey.h"

std::optional<StoreValue> StoreValue::Read(const std::string& key, const char* name) {
    ScopedRegKey handle;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, key.c_str(), KEY_READ, handle.Receive()) != ERROR_SUCCESS)
        return std::nullopt;
    StoreValue value;
    DWORD size = 0;
    if (RegQueryValueEx(handle.Get(), name, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    if (RegQueryValueEx(handle.Get(), name, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool StoreHasKey(const std::string& key) {
    ScopedRegKey handle;
    return RegOpenKeyEx(HKEY_CLASSES_ROOT, key.c_str(), KEY_READ, handle.Receive()) == ERROR_SUCCESS;
}

bool StoreCreateKey(const std::string& key) {
    ScopedRegKey handle;
    return RegCreateKeyEx(HKEY_CLASSES_ROOT, key.c_str(), REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                          handle.Receive(), nullptr) == ERROR_SUCCESS;
}
