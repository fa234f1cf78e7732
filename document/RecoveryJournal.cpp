#include "document/RecoveryJournal.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include "platform/files/PrivateFile.h"

namespace {

constexpr char kDiscardedSuffix[] = ".discarded";
constexpr char kLockSuffix[] = ".lock";

std::string CanonicalPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

std::string Hex32(uint32_t v) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", v);
    return text;
}

std::string FileNameFor(const std::string& canonical) {
    const auto* data = reinterpret_cast<const Bytef*>(canonical.data());
    const auto length = static_cast<uInt>(canonical.size());
    // Two unrelated checksums make 64 bits: two ROMs sharing a journal
    // would need both to collide.
    return Hex32(static_cast<uint32_t>(crc32(0, data, length))) +
           Hex32(static_cast<uint32_t>(adler32(1, data, length))) + ".journal";
}

std::string NameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::string Reason(int error) {
    // A FIFO or a device where the journal belongs.
    if (error == ENOTSUP || error == ENXIO) return CFile::ErrorText(CFile::errNotRegular);
    if (error == ELOOP) return "it is a symbolic link";
    return std::strerror(error);
}

} // namespace

RecoveryJournal::~RecoveryJournal() {
    CloseFile();
}

std::string RecoveryJournal::Folder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (state != nullptr && state[0] == '/') {
        base = state;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "") + "/.local/state";
    }
    return base + "/quillmoor/recovery";
}

std::string RecoveryJournal::PathFor(const std::string& romPath) {
    return Folder() + "/" + FileNameFor(CanonicalPath(romPath));
}

int RecoveryJournal::OpenFolder() {
    const std::string folder = Folder();
    // Each missing folder on the way is made private, as the XDG rules ask.
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return -1;
        if (slash == std::string::npos) break;
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    // Other users read no one's unsaved edits.
    if (fstat(fd, &st) == 0 && (st.st_mode & 077) != 0) (void)fchmod(fd, 0700);
    return fd;
}

const RecoveryJournal::Pending& RecoveryJournal::Attach(const std::string& romPath,
                                                        const CFile::Identity& identity,
                                                        std::span<const uint8_t> image) {
    Detach();
    m_romPath = CanonicalPath(romPath);
    m_path = Folder() + "/" + FileNameFor(m_romPath);
    m_base = identity;
    if (!TakeLock()) return m_pending;

    const int fd = ::open(m_path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    struct stat st {};
    if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0) ::close(fd);
        return m_pending;
    }
    const RecoveryFormat::Source source = [fd](uint8_t* buffer, size_t n) {
        size_t done = 0;
        while (done < n) {
            const ssize_t got = ::read(fd, buffer + done, n - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += static_cast<size_t>(got);
        }
        return done;
    };
    std::optional<RecoveryFormat::Contents> contents =
            RecoveryFormat::Parse(source, static_cast<uint64_t>(st.st_size), image.size());
    ::close(fd);
    // Another ROM's journal under the same name, or one torn before its
    // first record was whole: nothing of this ROM to restore.
    if (!contents || contents->header.romPath != m_romPath || contents->records.empty()) return m_pending;

    const RecoveryFormat::Header& header = contents->header;
    const bool same = header.romSize == identity.size && header.romMtimeNs == identity.mtimeNs &&
                      RecoveryFormat::CrcOfRanges(image, contents->records.front()) == header.firstCrc;
    m_pending.steps = RecoveryFormat::StillApplied(std::move(contents->records));
    m_pendingEnd = contents->validEnd;
    if (m_pending.steps.empty()) {
        // Every step was taken back: the file is what the journal began from.
        Remove();
        return m_pending;
    }
    m_pending.found = same ? Found::Matches : Found::Changed;
    return m_pending;
}

bool RecoveryJournal::TakeLock() {
    const int folder = OpenFolder();
    if (folder < 0) {
        TurnOff(CannotText(FileAction::Create, Folder(), Reason(errno)));
        return false;
    }
    ::close(folder);
    const std::string lockPath = m_path + kLockSuffix;
    switch (m_lock.Take(lockPath)) {
    case RecoveryLock::Outcome::Held:
        return true;
    case RecoveryLock::Outcome::Busy:
        m_off = true;
        m_offNotice = RecoveryInUseText(NameOf(m_romPath));
        return false;
    case RecoveryLock::Outcome::Failed:
        TurnOff(CannotText(FileAction::Create, lockPath, Reason(errno)));
        return false;
    }
    return false;
}

void RecoveryJournal::Detach() {
    CloseFile();
    m_lock.Release();
    m_romPath.clear();
    m_path.clear();
    m_pending = {};
    m_pendingEnd = 0;
    m_continue = false;
    m_off = false;
    m_told = false;
    m_offNotice.clear();
}

std::vector<RecoveryRecord> RecoveryJournal::Continue() {
    std::vector<RecoveryRecord> steps = std::move(m_pending.steps);
    m_pending = {};
    m_continue = true;
    return steps;
}

void RecoveryJournal::SetAside() {
    m_pending = {};
    CloseFile();
    if (m_path.empty() || !m_lock.Held()) return;
    // rename() moves a link itself, never what it names.
    (void)std::rename(m_path.c_str(), (m_path + kDiscardedSuffix).c_str());
}

void RecoveryJournal::Remove() {
    m_pending = {};
    m_continue = false;
    CloseFile();
    if (m_lock.Held() && !m_off) (void)::unlink(m_path.c_str());
}

void RecoveryJournal::Rebase(const CFile::Identity& identity) {
    Remove();
    m_base = identity;
}

void RecoveryJournal::CloseFile() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_end = 0;
}

void RecoveryJournal::TurnOff(const std::string& reason) {
    CloseFile();
    m_off = true;
    m_offNotice = RecoveryOffText(reason);
}

std::optional<std::string> RecoveryJournal::TakeNotice() {
    if (!m_off || m_told) return std::nullopt;
    m_told = true;
    return m_offNotice;
}

bool RecoveryJournal::OpenForAppend(std::string& reason) {
    const int folder = OpenFolder();
    if (folder < 0) {
        reason = CannotText(FileAction::Create, Folder(), Reason(errno));
        return false;
    }
    const int flags = O_WRONLY | O_CREAT | (m_continue ? 0 : O_TRUNC);
    m_fd = PrivateFile::Open(folder, NameOf(m_path), flags);
    int error = errno;
    // The new file's name must survive a power cut as its records do.
    if (m_fd >= 0 && ::fsync(folder) != 0) {
        error = errno;
        CloseFile();
    }
    ::close(folder);
    if (m_fd < 0) {
        reason = CannotText(FileAction::Create, m_path, Reason(error));
        return false;
    }
    if (m_continue) {
        // A torn record at the end would hide every record after it.
        if (::ftruncate(m_fd, static_cast<off_t>(m_pendingEnd)) != 0) {
            reason = CannotText(FileAction::Write, m_path, std::strerror(errno));
            return false;
        }
        m_end = m_pendingEnd;
    }
    return true;
}

FileResult RecoveryJournal::Append(const RecoveryStepView& step) {
    if (m_romPath.empty() || m_off) return FileResult::Success();
    if (m_fd < 0) {
        std::string reason;
        if (!OpenForAppend(reason)) {
            TurnOff(reason);
            return FileResult::Success();
        }
    }
    std::vector<uint8_t> bytes;
    if (m_end == 0) {
        RecoveryFormat::Header header{m_romPath, m_base.size, m_base.mtimeNs,
                                      RecoveryFormat::BeforeCrc(step)};
        bytes = RecoveryFormat::EncodeHeader(header);
    }
    RecoveryFormat::EncodeRecord(step, bytes);
    return WriteAll(bytes);
}

FileResult RecoveryJournal::WriteAll(const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    int error = 0;
    while (done < bytes.size()) {
        const ssize_t put =
                ::pwrite(m_fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(m_end + done));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            error = put < 0 ? errno : EIO;
            break;
        }
        done += static_cast<size_t>(put);
    }
    if (error == 0 && (m_sync ? m_sync(m_fd) : ::fdatasync(m_fd)) != 0) error = errno != 0 ? errno : EIO;
    if (error == 0) {
        m_end += bytes.size();
        return FileResult::Success();
    }
    // What did reach the file must not be read back as a step later.
    if (::ftruncate(m_fd, static_cast<off_t>(m_end)) != 0)
        TurnOff(CannotText(FileAction::Write, m_path, std::strerror(errno)));
    return FileResult::Failure(
            RecoveryRefusedText(CannotText(FileAction::Write, m_path, std::strerror(error))));
}
