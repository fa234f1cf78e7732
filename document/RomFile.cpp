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
    if (!file.Open(path, CFile::modeRead)) return FileFailure(FileAction::Open, path, file);
    const uint64_t length = file.GetLength();
    if (file.LastErrno() != 0) return FileFailure(FileAction::Read, path, file);
    if (length > kMaxLength) return FileFailure(FileAction::Open, path, kRomTooLargeReason);

    const auto size = static_cast<size_t>(length);
    std::unique_ptr<uint8_t[]> image;
    try {
        image = AllocateImage(size);
    } catch (const std::bad_alloc&) {
        return FileFailure(FileAction::Read, path, std::strerror(ENOMEM));
    }
    const size_t got = file.Read(image.get(), size);
    if (file.ReadFailed()) return FileFailure(FileAction::Read, path, file);
    if (got != size) return FileFailure(FileAction::Read, path, kRomShrankReason);

    m_path = path;
    m_image = std::move(image);
    m_length = size;
    m_open = true;
    return FileResult::Success();
}

FileResult RomFile::Save() const {
    if (!m_open) return FileFailure(FileAction::Save, kNoRomPath, kNoRomOpenReason);
    return SaveImage(m_path, m_image.get(), m_length);
}

void RomFile::Close() {
    m_path.clear();
    m_image.reset();
    m_length = 0;
    m_open = false;
}

FileResult RomFile::SaveImage(const std::string& path, const uint8_t* image, size_t length) {
    CFile file;
    if (!file.Open(path, CFile::modeWrite)) return FileFailure(FileAction::Open, path, file);
    const uint64_t present = file.GetLength();
    if (file.LastErrno() != 0) return FileFailure(FileAction::Write, path, file);
    const size_t count = static_cast<size_t>(std::min<uint64_t>(present, length));
    if (!file.Write(image, count)) return FileFailure(FileAction::Write, path, file);
    if (!file.Sync()) return FileFailure(FileAction::Write, path, file);
    if (!file.Close()) return FileFailure(FileAction::Write, path, file);
    return FileResult::Success();
}
