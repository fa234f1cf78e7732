#include "platform/store/RegistryStoreLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

RegistryStoreLock::RegistryStoreLock(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) return;
    m_fd = ::open((folder / "registry.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
    if (m_fd < 0) return;
    int rc = 0;
    while ((rc = ::flock(m_fd, LOCK_EX)) != 0 && errno == EINTR) {}
    if (rc != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

RegistryStoreLock::~RegistryStoreLock() {
    if (m_fd >= 0) ::close(m_fd); // closing releases the lock
}
