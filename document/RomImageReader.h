#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "document/FileResult.h"

// Reads a ROM file whole for the editor, whose image length is 32-bit: a
// file of 4 GiB or more is refused before anything is read, never cut short.
class RomImageReader {
public:
    // The largest image the editor can address.
    static constexpr uint64_t maxLength = UINT32_MAX;

    struct Image {
        FileResult result = FileResult::Success();
        // Never null after a success, also for an empty file.
        std::unique_ptr<uint8_t[]> data;
        uint32_t length = 0;
    };

    // Failures name the path and the reason; data is null then.
    static Image Read(const std::string& path);

private:
    static FileResult CheckLength(const std::string& path);
    static FileResult TooLarge(const std::string& path);
};
