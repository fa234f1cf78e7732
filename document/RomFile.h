#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "document/FileResult.h"

// A ROM file held whole in memory: its path and its image. The file is read
// in one pass and stays closed while the image is edited; saving writes the
// image back over the file in place, never changing the file's length.
class RomFile {
public:
    // Module offsets and lengths are 32-bit, so a larger image could not be
    // addressed: it is refused before anything is read, never cut short.
    static constexpr uint64_t kMaxLength = UINT32_MAX;

    RomFile() = default;
    RomFile(RomFile&&) noexcept = default;
    RomFile& operator=(RomFile&&) noexcept = default;
    RomFile(const RomFile&) = delete;
    RomFile& operator=(const RomFile&) = delete;

    // Reads the whole file. On failure this object keeps what it held before.
    FileResult Open(const std::string& path);
    // Writes the image over the file it was read from (see SaveImage).
    FileResult Save() const;

    uint8_t* Data() { return m_image.get(); }
    const uint8_t* Data() const { return m_image.get(); }
    // At most kMaxLength.
    uint32_t Length() const { return static_cast<uint32_t>(m_length); }

    // Writes the first N bytes of the image over an existing file, from its
    // start, where N is the file's present length but never more than the
    // image: a file someone else shortened is not lengthened again, one they
    // lengthened keeps its tail. The file is never created or truncated, and
    // the bytes are on the disk (fsync) before this reports success.
    static FileResult SaveImage(const std::string& path, const uint8_t* image, size_t length);

private:
    void Close();

    std::string m_path;
    std::unique_ptr<uint8_t[]> m_image;
    size_t m_length = 0;
    bool m_open = false;
};
