#include "CRomImage.h"

#include "platform/CFile.h"

#include <algorithm>
#include <limits>

namespace {

bool Fail(const std::string& path, const char* what, CFile& file, std::string& problem)
{
    problem = path + ": " + what + ": " + file.LastErrorText();
    return false;
}

} // namespace

bool CRomImage::Read(const std::string& path, std::vector<uint8_t>& image, std::string& problem)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return Fail(path, "cannot open the ROM file", file, problem);
    const uint64_t length = file.GetLength();
    if (file.LastErrno() != 0)
        return Fail(path, "cannot read the ROM file", file, problem);
    if (length > std::numeric_limits<uint32_t>::max()) {
        problem = path + ": the ROM file is larger than 4 GiB";
        return false;
    }
    image.assign(static_cast<size_t>(length), 0);
    const size_t got = file.Read(image.data(), image.size());
    if (file.ReadFailed())
        return Fail(path, "cannot read the ROM file", file, problem);
    if (got != image.size()) {
        problem = path + ": the ROM file changed length while it was read";
        return false;
    }
    return true;
}

bool CRomImage::WriteInPlace(const std::string& path, const std::vector<uint8_t>& image, std::string& problem)
{
    CFile file;
    if (!file.Open(path, CFile::modeWrite))
        return Fail(path, "cannot open the ROM file for writing", file, problem);
    // Another program may have shortened the file since it was read; writing
    // only what it now holds keeps its length whatever happened.
    const uint64_t present = file.GetLength();
    if (file.LastErrno() != 0)
        return Fail(path, "cannot write the ROM file", file, problem);
    const size_t n = static_cast<size_t>(std::min<uint64_t>(present, image.size()));
    if (!file.Write(image.data(), n) || !file.Sync())
        return Fail(path, "cannot write the ROM file", file, problem);
    if (!file.Close())
        return Fail(path, "cannot write the ROM file", file, problem);
    return true;
}
