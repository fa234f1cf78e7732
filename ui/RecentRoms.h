#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The ROMs last opened, newest first, remembered per user in the registry
// store so the list comes back with the next run.
class RecentRoms {
public:
    static constexpr size_t kLimit = 10;

    // Empty when nothing is remembered or the store cannot be read.
    static std::vector<std::string> Recall();
    // Puts the path first, once, keeping the newest kLimit. False when the
    // store could not be written; the list stays as it was then.
    static bool Add(const std::string& path);
    static bool Remove(const std::string& path);
    // The menu's texts for the paths, in their order (see RecentRomLabel).
    static std::vector<std::string> Labels(const std::vector<std::string>& paths);

private:
    static bool Store(const std::vector<std::string>& paths);
};
