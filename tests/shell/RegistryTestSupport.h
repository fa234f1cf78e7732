#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/store/Registry.h"

// A value as the store returns it, read through a freshly opened key.
struct StoredValue {
    DWORD type = 0;
    std::vector<BYTE> data;
    std::string Text() const { return std::string(data.begin(), data.end()); }
};

std::optional<StoredValue> QueryStored(HKEY root, const char* subKey, const char* name);

// Writes the .qlm association the way the Associate command does, values
// with their exact data sizes, and returns the first failure code.
LONG WriteAssociation(const std::string& command);

// Removes it in the Associate command's order; returns each deletion's code.
std::vector<LONG> RemoveAssociation();
