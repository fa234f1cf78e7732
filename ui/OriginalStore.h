#pragma once

#include <optional>
#include <string>

// Which original each ROM is compared with, remembered per user in the
// registry store, so the comparison comes back with the ROM.
class OriginalStore {
public:
    // The original last chosen for the ROM at this path, if any.
    static std::optional<std::string> Recall(const std::string& romPath);
    // False when the store could not be written; the comparison goes on.
    static bool Remember(const std::string& romPath, const std::string& originalPath);
};
