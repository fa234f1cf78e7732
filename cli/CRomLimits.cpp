#include "CRomLimits.h"

#include "document/RomFile.h"

#include <cstdint>
#include <limits>

bool CRomLimits::Open(RomFile& rom, const std::string& path, std::string& problem)
{
    if (const FileResult opened = rom.Open(path); !opened) {
        problem = opened.Message();
        return false;
    }
    if (rom.Length() > std::numeric_limits<uint32_t>::max()) {
        problem = "Cannot edit " + path + ": the ROM file is larger than 4 GiB.";
        return false;
    }
    return true;
}
