#pragma once

#include <string>

class RomFile;

// Opens a ROM file for qlm. Module offsets and lengths are 32-bit, so an
// image past 4 GiB could not be addressed and is refused rather than cut.
class CRomLimits
{
public:
    static bool Open(RomFile& rom, const std::string& path, std::string& problem);
};
