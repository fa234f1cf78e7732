#include "platform/files/PrivateFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int PrivateFile::Open(int folder, const std::string& name, int flags) {
    const int fd = ::openat(folder, name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISREG(st.st_mode) ? errno : ENOTSUP;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}
