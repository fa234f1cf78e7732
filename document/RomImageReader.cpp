#include "document/RomImageReader.h"

#include "document/RomFile.h"
#include "platform/CFile.h"

RomImageReader::Image RomImageReader::Read(const std::string& path) {
    Image image;
    image.result = CheckLength(path);
    if (!image.result)
        return image;
    RomFile rom;
    image.result = rom.Open(path);
    if (!image.result)
        return image;
    // The file may have grown between the look and the read.
    if (rom.Length() > maxLength) {
        image.result = TooLarge(path);
        return image;
    }
    image.length = static_cast<uint32_t>(rom.Length());
    image.data = rom.TakeImage();
    return image;
}

FileResult RomImageReader::CheckLength(const std::string& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return FileResult::Failure("open", path, file);
    const uint64_t length = file.GetLength();
    if (file.LastErrno() != 0)
        return FileResult::Failure("read", path, file);
    return length > maxLength ? TooLarge(path) : FileResult::Success();
}

FileResult RomImageReader::TooLarge(const std::string& path) {
    return FileResult::Failure("open", path,
                               "the file is 4 GiB or larger, and Quillmoor opens ROM images "
                               "only up to 4 GiB less one byte");
}
