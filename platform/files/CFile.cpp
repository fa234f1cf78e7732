#include "platform/files/CFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/CPath.h"

namespace {

int OpenFlags(unsigned flags) {
    if (flags & CFile::modeCreate) return O_WRONLY | O_CREAT | O_TRUNC;
    if (flags & CFile::modeReadWrite) return O_RDWR;
    if (flags & CFile::modeWrite) return O_WRONLY;
    return O_RDONLY;
}

// realpath() needs the file to exist, which it does once opened; the fallback
// only matters for files that vanish in between.
std::string Resolve(const std::string& path) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) != nullptr) return resolved;
    if (!path.empty() && path.front() == '/') return path;
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd) == nullptr) return path;
    return std::string(cwd) + "/" + path;
}

// Why an open that failed should be reported as a file of the wrong kind: a
// FIFO without a reader refuses a write-only open, and a socket every open,
// with ENXIO, which would name neither.
bool ExistsButNotRegular(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

CFile::Identity IdentityFrom(const struct stat& st) {
    CFile::Identity identity;
    identity.device = static_cast<uint64_t>(st.st_dev);
    identity.inode = static_cast<uint64_t>(st.st_ino);
    identity.size = static_cast<uint64_t>(st.st_size);
    identity.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    identity.regular = S_ISREG(st.st_mode);
    return identity;
}

struct Moved {
    size_t bytes = 0;
    int error = 0;
};

// Repeats one read or write call until `n` bytes moved, the call moves
// nothing (the end of a file), or it fails; an interrupted call is retried.
// A closed file is EBADF before any call.
template <class Transfer>
Moved MoveAll(int fd, size_t n, Transfer transfer) {
    Moved moved;
    if (fd < 0) {
        moved.error = EBADF;
        return moved;
    }
    while (moved.bytes < n) {
        const ssize_t got = transfer(moved.bytes);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            moved.error = errno;
            break;
        }
        if (got == 0) break;
        moved.bytes += static_cast<size_t>(got);
    }
    return moved;
}

// The file offset `done` bytes past `offset`, or -1 with EINVAL beyond what
// off_t holds.
off_t OffsetAt(uint64_t offset, size_t done) {
    const uint64_t at = offset + done;
    if (at < offset || at > static_cast<uint64_t>(INT64_MAX)) {
        errno = EINVAL;
        return -1;
    }
    return static_cast<off_t>(at);
}

} // namespace

CFile::~CFile() {
    Close();
}

CFile::CFile(CFile&& other) noexcept
    : m_fd(other.m_fd), m_nErrno(other.m_nErrno), m_bReadFailed(other.m_bReadFailed),
      m_strPath(std::move(other.m_strPath)) {
    other.m_fd = -1;
}

CFile& CFile::operator=(CFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_fd = other.m_fd;
        m_nErrno = other.m_nErrno;
        m_bReadFailed = other.m_bReadFailed;
        m_strPath = std::move(other.m_strPath);
        other.m_fd = -1;
    }
    return *this;
}

bool CFile::Fail(int err) {
    m_nErrno = err;
    return false;
}

bool CFile::Open(const std::string& path, unsigned flags) {
    Close();
    m_nErrno = 0;
    m_bReadFailed = false;
    // O_NONBLOCK so that a FIFO with no writer, or a device, cannot hold the
    // open up; what it opened is then refused unless it is a regular file.
    int fd = ::open(path.c_str(), OpenFlags(flags) | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return Fail(errno == ENXIO && ExistsButNotRegular(path) ? errNotRegular : errno);
    struct stat st {};
    int err = 0;
    if (fstat(fd, &st) != 0)
        err = errno;
    else if (S_ISDIR(st.st_mode))
        err = EISDIR;
    else if (!S_ISREG(st.st_mode))
        err = errNotRegular;
    // Regular files on a disk never block; the flag is dropped so it cannot
    // change how reads and writes behave. A "regular" file whose size the
    // kernel does not know (procfs and sysfs say 0) may be a stream that
    // waits for data, such as /proc/kmsg: it keeps the flag, so a read
    // with nothing to give fails at once instead of hanging.
    else if (const int status = fcntl(fd, F_GETFL);
             st.st_size > 0 && (status < 0 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0))
        err = errno;
    if (err != 0) {
        ::close(fd);
        return Fail(err);
    }
    m_fd = fd;
    m_strPath = Resolve(path);
    return true;
}

std::string CFile::GetFileName() const {
    return CPath::NameOf(m_strPath);
}

uint64_t CFile::GetLength() {
    struct stat st {};
    if (m_fd < 0) {
        Fail(EBADF);
        return 0;
    }
    if (fstat(m_fd, &st) != 0) {
        Fail(errno);
        return 0;
    }
    return static_cast<uint64_t>(st.st_size);
}

bool CFile::Seek(uint64_t offset) {
    if (m_fd < 0) return Fail(EBADF);
    if (offset > static_cast<uint64_t>(INT64_MAX)) return Fail(EINVAL);
    if (lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) < 0) return Fail(errno);
    return true;
}

size_t CFile::Read(void* buffer, size_t n) {
    auto* out = static_cast<char*>(buffer);
    const Moved moved = MoveAll(m_fd, n, [&](size_t done) { return ::read(m_fd, out + done, n - done); });
    return FinishRead(moved.bytes, moved.error);
}

bool CFile::Write(const void* buffer, size_t n) {
    const auto* in = static_cast<const char*>(buffer);
    const Moved moved = MoveAll(m_fd, n, [&](size_t done) { return ::write(m_fd, in + done, n - done); });
    return FinishWrite(n, moved.bytes, moved.error);
}

bool CFile::Sync() {
    if (m_fd < 0) return Fail(EBADF);
    if (fsync(m_fd) != 0) return Fail(errno);
    return true;
}

bool CFile::WriteAt(uint64_t offset, const void* buffer, size_t n) {
    const auto* in = static_cast<const char*>(buffer);
    const Moved moved = MoveAll(m_fd, n, [&](size_t done) -> ssize_t {
        const off_t at = OffsetAt(offset, done);
        return at < 0 ? -1 : ::pwrite(m_fd, in + done, n - done, at);
    });
    return FinishWrite(n, moved.bytes, moved.error);
}

size_t CFile::ReadAt(uint64_t offset, void* buffer, size_t n) {
    auto* out = static_cast<char*>(buffer);
    const Moved moved = MoveAll(m_fd, n, [&](size_t done) -> ssize_t {
        const off_t at = OffsetAt(offset, done);
        return at < 0 ? -1 : ::pread(m_fd, out + done, n - done, at);
    });
    return FinishRead(moved.bytes, moved.error);
}

size_t CFile::FinishRead(size_t moved, int error) {
    if (error != 0) {
        m_bReadFailed = true;
        Fail(error);
    }
    return moved;
}

bool CFile::FinishWrite(size_t wanted, size_t moved, int error) {
    if (error != 0) return Fail(error);
    // A write that moves nothing and reports nothing would loop for ever.
    return moved == wanted || Fail(EIO);
}

bool CFile::SyncData() {
    if (m_fd < 0) return Fail(EBADF);
    if (fdatasync(m_fd) != 0) return Fail(errno);
    return true;
}

bool CFile::LockExclusive() {
    if (m_fd < 0) return Fail(EBADF);
    while (flock(m_fd, LOCK_EX) != 0) {
        if (errno != EINTR) return Fail(errno);
    }
    return true;
}

bool CFile::SetModificationTime(int64_t ns) {
    if (m_fd < 0) return Fail(EBADF);
    int64_t seconds = ns / 1000000000;
    int64_t rest = ns % 1000000000;
    if (rest < 0) {
        --seconds;
        rest += 1000000000;
    }
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), static_cast<long>(rest)}};
    if (futimens(m_fd, times) != 0) return Fail(errno);
    return true;
}

std::optional<CFile::Identity> CFile::GetIdentity() {
    if (m_fd < 0) {
        Fail(EBADF);
        return std::nullopt;
    }
    struct stat st {};
    if (fstat(m_fd, &st) != 0) {
        Fail(errno);
        return std::nullopt;
    }
    return IdentityFrom(st);
}

std::optional<CFile::Identity> CFile::IdentityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return IdentityFrom(st);
}

bool CFile::Close() {
    if (m_fd < 0) return true;
    int fd = m_fd;
    m_fd = -1;
    m_strPath.clear();
    // The descriptor is gone even when close() reports an error, so it is
    // never retried (that could close a descriptor reused by someone else).
    if (::close(fd) != 0) return Fail(errno);
    return true;
}

int CFile::ReadWhole(const std::string& path, std::string& text) {
    CFile file;
    if (!file.Open(path, modeRead)) return file.LastErrno();
    // Straight into the text, as much as the size says at once; then on to
    // the end, since the file may have grown meanwhile.
    const std::optional<Identity> identity = file.GetIdentity();
    size_t chunk =
            identity && identity->size < (uint64_t{1} << 32) ? static_cast<size_t>(identity->size) + 1 : 0;
    for (;;) {
        chunk = std::max<size_t>(chunk, 65536);
        const size_t start = text.size();
        text.resize(start + chunk);
        const size_t got = file.Read(text.data() + start, chunk);
        text.resize(start + got);
        if (file.ReadFailed()) return file.LastErrno();
        if (got < chunk) return 0;
    }
}

std::string CFile::ErrorText(int error) {
    if (error == errNotRegular) return "not a regular file";
    return std::strerror(error);
}
