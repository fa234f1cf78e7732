#include "platform/files/CFile.h"

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
    // Regular files never block; the flag is dropped so it cannot change how
    // reads and writes behave.
    else if (const int status = fcntl(fd, F_GETFL);
             status < 0 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0)
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
    size_t done = 0;
    if (m_fd < 0) {
        m_bReadFailed = true;
        Fail(EBADF);
        return 0;
    }
    while (done < n) {
        ssize_t got = ::read(m_fd, out + done, n - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            m_bReadFailed = true;
            Fail(errno);
            break;
        }
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

bool CFile::Write(const void* buffer, size_t n) {
    const auto* in = static_cast<const char*>(buffer);
    if (m_fd < 0) return Fail(EBADF);
    while (n > 0) {
        ssize_t put = ::write(m_fd, in, n);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return Fail(put < 0 ? errno : EIO);
        in += put;
        n -= static_cast<size_t>(put);
    }
    return true;
}

bool CFile::Sync() {
    if (m_fd < 0) return Fail(EBADF);
    if (fsync(m_fd) != 0) return Fail(errno);
    return true;
}

bool CFile::WriteAt(uint64_t offset, const void* buffer, size_t n) {
    const auto* in = static_cast<const char*>(buffer);
    if (m_fd < 0) return Fail(EBADF);
    while (n > 0) {
        if (offset > static_cast<uint64_t>(INT64_MAX)) return Fail(EINVAL);
        ssize_t put = ::pwrite(m_fd, in, n, static_cast<off_t>(offset));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return Fail(put < 0 ? errno : EIO);
        in += put;
        n -= static_cast<size_t>(put);
        offset += static_cast<uint64_t>(put);
    }
    return true;
}

size_t CFile::ReadAt(uint64_t offset, void* buffer, size_t n) {
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    if (m_fd < 0) {
        m_bReadFailed = true;
        Fail(EBADF);
        return 0;
    }
    while (done < n) {
        const uint64_t at = offset + done;
        if (at > static_cast<uint64_t>(INT64_MAX)) {
            m_bReadFailed = true;
            Fail(EINVAL);
            break;
        }
        ssize_t got = ::pread(m_fd, out + done, n - done, static_cast<off_t>(at));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            m_bReadFailed = true;
            Fail(errno);
            break;
        }
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
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
    char buffer[4096];
    for (;;) {
        const size_t got = file.Read(buffer, sizeof buffer);
        text.append(buffer, got);
        if (file.ReadFailed()) return file.LastErrno();
        if (got < sizeof buffer) return 0;
    }
}

std::string CFile::ErrorText(int error) {
    if (error == errNotRegular) return "not a regular file";
    return std::strerror(error);
}
