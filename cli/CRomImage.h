#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The ROM file as qlm uses it: read whole, written back in place.
class CRomImage
{
public:
    // False with `problem` naming the path and the reason when the file
    // cannot be read whole or is too long for a 32-bit image length.
    static bool Read(const std::string& path, std::vector<uint8_t>& image, std::string& problem);
    // Writes the image over the existing file from its start: the file is
    // never created, truncated or lengthened, and it is on disk before this
    // returns true.
    static bool WriteInPlace(const std::string& path, const std::vector<uint8_t>& image, std::string& problem);
};
