#include "document/RollbackFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <span>
#include <sys/stat.h>
#include <unistd.h>

#include "document/RollbackFormat.h"
#include "platform/files/CFile.h"
#include "platform/files/CPath.h"
#include "platform/files/FileDescriptor.h"
#include "res/StringTable.h"

namespace {

constexpr char kSuffix[] = ".qlm-journal";
// Old bytes are read a span at a time: ranges closer than kGap share one
// read, up to kSpan bytes.
constexpr uint32_t kSpan = 1u << 20;
constexpr uint32_t kGap = 4096;

// The folder's entries on the disk: a rollback file that exists only in
// memory protects nothing, and one removed only in memory could come back.
int SyncFolderOf(const std::string& romPath) {
    std::string folder = CPath::FolderOf(romPath);
    if (folder.empty()) folder = ".";
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() < 0) return errno;
    return ::fsync(dir.Get()) == 0 ? 0 : errno;
}

// Appends to a new file through a buffer, keeping the CRC of all it took.
class Appender {
public:
    explicit Appender(int fd) : m_fd(fd) { m_buffer.reserve(kSpan); }
    bool Put(std::span<const uint8_t> bytes) {
        m_crc = RollbackFormat::Crc(m_crc, bytes);
        while (!bytes.empty()) {
            const size_t n = std::min(bytes.size(), kSpan - m_buffer.size());
            m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
            bytes = bytes.subspan(n);
            if (m_buffer.size() == kSpan && !Flush()) return false;
        }
        return true;
    }
    bool Put(const std::string& bytes) {
        return Put({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    }
    uint32_t Crc() const { return m_crc; }
    bool Flush() {
        size_t done = 0;
        while (done < m_buffer.size()) {
            const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                m_error = n == 0 ? EIO : errno;
                return false;
            }
            done += static_cast<size_t>(n);
        }
        m_buffer.clear();
        return true;
    }
    int Error() const { return m_error; }

private:
    int m_fd;
    std::vector<uint8_t> m_buffer;
    uint32_t m_crc = 0;
    int m_error = 0;
};

bool FolderRefuses(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

Result<std::vector<uint8_t>, std::string> ReadWhole(int fd, const std::string& path) {
    using Read = Result<std::vector<uint8_t>, std::string>;
    struct stat st {};
    if (::fstat(fd, &st) != 0) return Read::Failure(CannotText(FileAction::Read, path, std::strerror(errno)));
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(static_cast<size_t>(st.st_size));
    } catch (const std::bad_alloc&) {
        return Read::Failure(CannotText(FileAction::Read, path, std::strerror(ENOMEM)));
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Read::Failure(CannotText(FileAction::Read, path, std::strerror(errno)));
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

// A write of old bytes that fails may have had nothing to do: the range
// whose write failed during the save fails where it failed before, and
// holds its old bytes from there on. What the file holds decides.
bool Holds(CFile& rom, const RollbackFormat::Range& range) {
    std::vector<uint8_t> now(range.old.size());
    return rom.ReadAt(range.offset, now.data(), now.size()) == now.size() &&
           std::equal(now.begin(), now.end(), range.old.begin());
}

} // namespace

std::string RollbackFile::PathFor(const std::string& romPath) {
    return romPath + kSuffix;
}

bool RollbackFile::Present(const std::string& romPath) {
    struct stat st {};
    return ::lstat(PathFor(romPath).c_str(), &st) == 0;
}

Result<void, std::string> RollbackFile::Record(CFile& rom, int fd, const Ranges& ranges) {
    using Recorded = Result<void, std::string>;
    const std::optional<CFile::Identity> identity = rom.GetIdentity();
    if (!identity) return Recorded::Failure(rom.LastErrorText());
    const RollbackFormat::Header header{identity->size, identity->device, identity->inode, identity->mtimeNs,
                                        static_cast<uint32_t>(ranges.size())};
    Appender out(fd);
    const auto failed = [&out] {
        return Recorded::Failure(std::strerror(out.Error()));
    };
    if (!out.Put(RollbackFormat::EncodeHeader(header))) return failed();
    std::vector<uint8_t> old;
    for (size_t i = 0; i < ranges.size();) {
        // One read for neighbours; a range longer than a span alone, in spans.
        size_t last = i + 1;
        while (last < ranges.size() && ranges[last].first - ranges[last - 1].second <= kGap &&
               ranges[last].second - ranges[i].first <= kSpan)
            ++last;
        const uint32_t begin = ranges[i].first;
        const uint32_t end = ranges[last - 1].second;
        for (uint32_t at = begin; at < end; at += static_cast<uint32_t>(old.size())) {
            old.resize(std::min(end - at, kSpan));
            if (rom.ReadAt(at, old.data(), old.size()) != old.size())
                return Recorded::Failure(rom.ReadFailed() ? rom.LastErrorText() : kRomShrankReason);
            for (size_t r = i; r < last; ++r) {
                // Each range's head goes out just before its first byte.
                const auto [rangeBegin, rangeEnd] = ranges[r];
                if (rangeEnd <= at || rangeBegin >= at + old.size()) continue;
                if (rangeBegin >= at &&
                    !out.Put(RollbackFormat::EncodeRangeHead(rangeBegin, rangeEnd - rangeBegin)))
                    return failed();
                const uint32_t from = std::max(rangeBegin, at) - at;
                const auto to = static_cast<uint32_t>(std::min<uint64_t>(rangeEnd, at + old.size()) - at);
                if (!out.Put(std::span<const uint8_t>(old).subspan(from, to - from))) return failed();
            }
        }
        i = last;
    }
    if (!out.Put(RollbackFormat::EncodeTrailer(out.Crc())) || !out.Flush()) return failed();
    if (::fdatasync(fd) != 0) return Recorded::Failure(std::strerror(errno));
    return Recorded::Success();
}

RollbackFile::WriteResult RollbackFile::WriteInPlace(CFile& rom, const std::string& romPath,
                                                     const Ranges& ranges, Source source, size_t& written) {
    for (const auto& [begin, end] : ranges) {
        ++written;
        if (!rom.WriteAt(begin, source.image + (begin - source.imageOffset), end - begin))
            return WriteResult::Failure({CannotText(FileAction::Write, romPath, rom.LastErrorText())});
    }
    if (!rom.SyncData())
        return WriteResult::Failure({CannotText(FileAction::Write, romPath, rom.LastErrorText())});
    return WriteResult::Success();
}

RollbackFile::WriteResult RollbackFile::Write(CFile& rom, const std::string& romPath, const Ranges& ranges,
                                              Source source, bool unsafeInPlace) {
    if (ranges.empty()) return WriteResult::Success();
    const std::string journal = PathFor(romPath);
    // O_EXCL and O_NOFOLLOW: whatever already lies at the path, a link
    // included, is never written through.
    // Readable by whoever may read the ROM, and no one else: it holds the
    // ROM's bytes, and whoever opens the ROM next must be able to apply it.
    struct stat romStat {};
    const mode_t mode = ::stat(romPath.c_str(), &romStat) == 0 ? (romStat.st_mode & 0666) : 0600;
    FileDescriptor fd(::open(journal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (fd.Get() < 0) {
        const int error = errno;
        if (FolderRefuses(error) && !unsafeInPlace) return WriteResult::Failure({std::strerror(error), true});
        if (!FolderRefuses(error))
            return WriteResult::Failure({LeftUnchangedText(
                    CannotText(FileAction::Create, journal, std::strerror(error)), romPath)});
        size_t written = 0;
        WriteResult result = WriteInPlace(rom, romPath, ranges, source, written);
        if (!result) return WriteResult::Failure({UnsafePartlyChangedText(result.Error().text, romPath)});
        return result;
    }
    Result<void, std::string> recorded = Record(rom, fd.Get(), ranges);
    if (recorded) {
        const int closed = fd.Close();
        const int synced = closed != 0 ? closed : SyncFolderOf(romPath);
        if (synced != 0) recorded = Result<void, std::string>::Failure(std::strerror(synced));
    }
    if (!recorded) {
        // The ROM is untouched: the record goes, and nothing is claimed.
        ::unlink(journal.c_str());
        (void)SyncFolderOf(romPath);
        return WriteResult::Failure(
                {LeftUnchangedText(CannotText(FileAction::Write, journal, recorded.Error()), romPath)});
    }
    size_t written = 0;
    if (WriteResult result = WriteInPlace(rom, romPath, ranges, source, written); !result)
        return UndoAfter(rom, romPath, result.Error().text, written);
    // The moment the save is whole: until the record is gone, a crash
    // leaves it to put the old bytes back.
    if (::unlink(journal.c_str()) != 0)
        return UndoAfter(rom, romPath, CannotText(FileAction::Write, journal, std::strerror(errno)),
                         SIZE_MAX);
    // Should the removal itself not reach the disk, a crash brings the
    // record back and the next open returns the ROM to its old bytes: whole
    // either way, so a failed folder sync is not a failed save.
    (void)SyncFolderOf(romPath);
    return WriteResult::Success();
}

RollbackFile::WriteResult RollbackFile::UndoAfter(CFile& rom, const std::string& romPath,
                                                  const std::string& failure, size_t count) {
    const Undone undone = Apply(rom, romPath, count);
    if (undone) return WriteResult::Failure({LeftUnchangedText(failure, romPath)});
    return WriteResult::Failure({PartlyChangedText(failure, undone.Error(), romPath, PathFor(romPath))});
}

RollbackFile::Undone RollbackFile::RollBack(CFile& rom, const std::string& romPath) {
    return Apply(rom, romPath, SIZE_MAX);
}

RollbackFile::Undone RollbackFile::RollBackBeside(const std::string& romPath) {
    if (!Present(romPath)) return false;
    CFile rom;
    if (!rom.Open(romPath, CFile::modeReadWrite))
        return Undone::Failure(CannotText(FileAction::Open, romPath,
                                          RollbackNeedsWriteReason(PathFor(romPath), rom.LastErrorText())));
    if (!rom.LockExclusive())
        return Undone::Failure(CannotText(FileAction::Open, romPath, rom.LastErrorText()));
    return RollBack(rom, romPath);
}

RollbackFile::Undone RollbackFile::Apply(CFile& rom, const std::string& romPath, size_t count) {
    const std::string journal = PathFor(romPath);
    struct stat st {};
    if (::lstat(journal.c_str(), &st) != 0) {
        if (errno == ENOENT) return false;
        return Undone::Failure(CannotText(FileAction::Read, journal, std::strerror(errno)));
    }
    const auto notRegular = [&] {
        return Undone::Failure(CannotText(FileAction::Open, romPath, RollbackNotRegularReason(journal)));
    };
    if (!S_ISREG(st.st_mode)) return notRegular();
    FileDescriptor fd(::open(journal.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        if (errno == ELOOP) return notRegular();
        return Undone::Failure(CannotText(FileAction::Read, journal, std::strerror(errno)));
    }
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return notRegular();
    const Result<std::vector<uint8_t>, std::string> bytes = ReadWhole(fd.Get(), journal);
    if (!bytes) return Undone::Failure(bytes.Error());
    const auto parsed = RollbackFormat::Parse(bytes.Value());
    const auto foreign = [&] {
        return Undone::Failure(CannotText(FileAction::Open, romPath, RollbackForeignReason(journal)));
    };
    if (!parsed && parsed.Error() == RollbackFormat::Damage::Torn && count == SIZE_MAX) {
        // Torn while it was written, so before the ROM was touched.
        if (::unlink(journal.c_str()) != 0)
            return Undone::Failure(CannotText(FileAction::Write, journal, std::strerror(errno)));
        (void)SyncFolderOf(romPath);
        return false;
    }
    if (!parsed) return foreign();
    const RollbackFormat::Contents& contents = parsed.Value();
    const std::optional<CFile::Identity> identity = rom.GetIdentity();
    if (!identity) return Undone::Failure(CannotText(FileAction::Read, romPath, rom.LastErrorText()));
    if (identity->size != contents.header.romLength || identity->device != contents.header.device ||
        identity->inode != contents.header.inode)
        return foreign();
    const size_t applied = std::min(count, contents.ranges.size());
    for (size_t i = 0; i < applied; ++i) {
        const RollbackFormat::Range& range = contents.ranges[i];
        if (rom.WriteAt(range.offset, range.old.data(), range.old.size())) continue;
        const std::string reason = rom.LastErrorText();
        if (!Holds(rom, range)) return Undone::Failure(CannotText(FileAction::Write, romPath, reason));
    }
    // The bytes are as they were, and so is the time that says when they
    // last changed: an editor holding the file sees it unchanged. Setting
    // it needs the file's owner; without, it is only a later time.
    (void)rom.SetModificationTime(contents.header.mtimeNs);
    if (!rom.Sync()) return Undone::Failure(CannotText(FileAction::Write, romPath, rom.LastErrorText()));
    // Only now: a crash before this point applies the same bytes again.
    if (::unlink(journal.c_str()) != 0)
        return Undone::Failure(CannotText(FileAction::Write, journal, std::strerror(errno)));
    (void)SyncFolderOf(romPath);
    return true;
}
