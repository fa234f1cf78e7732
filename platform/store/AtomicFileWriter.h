#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Replaces a file so that a reader, or the file after a crash, shows either
// the old content or the new one, never a mix: the content goes to a temporary
// file in the same folder, is flushed to disk and then renamed over the target.
class AtomicFileWriter {
public:
    // Creates missing folders. Returns nothing on success, else the path that
    // failed and the system's reason.
    static std::optional<std::string> Write(const std::filesystem::path& target, std::string_view contents,
                                            unsigned mode);

    // Removes a file; a file that is already gone is no failure.
    static std::optional<std::string> Remove(const std::filesystem::path& target);
};
