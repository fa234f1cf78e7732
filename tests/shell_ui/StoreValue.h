#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/store/Registry.h"

// A value as the registry store holds it, read through a freshly opened key
// of HKEY_CLASSES_ROOT; nullopt when the key or the value is missing.
struct StoreValue {
    DWORD type = 0;
    std::vector<BYTE> data;

    std::string Text() const { return std::string(data.begin(), data.end()); }

    static std::optional<StoreValue> Read(const std::string& key, const char* name = nullptr);
};

bool StoreHasKey(const std::string& key);
// Creates the key (and any above it) in HKEY_CLASSES_ROOT.
bool StoreCreateKey(const std::string& key);
