#include "document/RomFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/files/CFile.h"

namespace {

// Uninitialised on purpose: the read fills every byte, and zeroing a large
// image first would touch it twice.
std::unique_ptr<uint8_t[]> AllocateImage(size_t length) {
    return std::make_unique_for_overwrite<uint8_t[]>(length == 0 ? 1 : length);
}

} // namespace

FileResult RomFile::Open(const std::string& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return FileResult::Failure("open", path, file);
    const uint64_t length = file.GetLength();
    if (file.LastErrno() != 0) return FileResult::Failure("read", path, file);
    if (length > kMaxLength)
        return FileResult::Failure("open", path,
                                   "the file is 4 GiB or larger, and Quillmoor opens ROM images "
                                   "only up to 4 GiB less one byte");

    const auto size = static_cast<size_t>(length);
    std::unique_ptr<uint8_t[]> image;
    try {
        image = AllocateImage(size);
    } catch (const std::bad_alloc&) {
        return FileResult::Failure("read", path, std::strerror(ENOMEM));
    }
    const size_t got = file.Read(image.get(), size);
    if (file.ReadFailed()) return FileResult::Failure("read", path, file);
    if (got != size) return FileResult::Failure("read", path, "the file became shorter while it was read");

    m_strPath = path;
    m_pImage = std::move(image);
    m_nLength = size;
    m_bOpen = true;
    return FileResult::Success();
}

FileResult RomFile::Save() const {
    if (!m_bOpen) return FileResult::Failure("save", "(no file)", "no ROM file is open");
    return SaveImage(m_strPath, m_pImage.get(), m_nLength);
}

void RomFile::Close() {
    m_strPath.clear();
    m_pImage.reset();
    m_nLength = 0;
    m_bOpen = false;
}

std::unique_ptr<uint8_t[]> RomFile::TakeImage() {
    std::unique_ptr<uint8_t[]> image = std::move(m_pImage);
    Close();
    return image;
}

FileResult RomFile::SaveImage(const std::string& path, const uint8_t* image, size_t length) {
    CFile file;
    if (!file.Open(path, CFile::modeWrite)) return FileResult::Failure("open", path, file);
    const uint64_t present = file.GetLength();
    if (file.LastErrno() != 0) return FileResult::Failure("write", path, file);
    const size_t count = static_cast<size_t>(std::min<uint64_t>(present, length));
    if (!file.Write(image, count)) return FileResult::Failure("write", path, file);
    if (!file.Sync()) return FileResult::Failure("write", path, file);
    if (!file.Close()) return FileResult::Failure("write", path, file);
    return FileResult::Success();
}
