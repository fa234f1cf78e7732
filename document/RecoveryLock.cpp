#include "document/RecoveryLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/PrivateFile.h"

namespace {

bool SameFile(int fd, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

} // namespace

RecoveryLock::Outcome RecoveryLock::Take(const std::string& path) {
    Release();
    // A holder unlinks the file as it lets go, so the file just locked may
    // no longer be the one the name leads to: then the lock guards nothing
    // and the name is tried again. Only a churn of other editors keeps
    // that going, and giving up then is as safe as finding it held.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const int fd = PrivateFile::Open(AT_FDCWD, path, O_RDWR | O_CREAT);
        if (fd < 0) return Outcome::Failed;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return error == EWOULDBLOCK ? Outcome::Busy : Outcome::Failed;
        }
        if (SameFile(fd, path)) {
            m_path = path;
            m_fd = fd;
            return Outcome::Held;
        }
        ::close(fd);
    }
    return Outcome::Busy;
}

void RecoveryLock::Release() {
    if (m_fd < 0) return;
    // Unlinked while still held: an editor that opened this file before and
    // locks it after the close finds its name gone and tries again, instead
    // of holding a lock nobody else can see.
    (void)::unlink(m_path.c_str());
    ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}
