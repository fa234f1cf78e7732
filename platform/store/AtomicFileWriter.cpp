#include "platform/store/AtomicFileWriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Failure(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::strerror(error);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    int Get() const { return m_fd; }
    int Close() {
        int rc = ::close(m_fd);
        m_fd = -1;
        return rc;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        ssize_t n = ::write(fd, contents.data(), contents.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::optional<std::string> EnsureFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) return folder.string() + ": " + ec.message();
    return std::nullopt;
}

// The rename is durable only once the folder's entry is on disk as well.
void SyncFolder(const std::filesystem::path& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
}

} // namespace

std::optional<std::string> AtomicFileWriter::Write(const std::filesystem::path& link,
                                                   std::string_view contents, unsigned mode) {
    // A store kept in a dotfiles folder and linked into place stays linked: the
    // file the link names is replaced, not the link.
    std::error_code statusError;
    const bool linked = std::filesystem::is_symlink(std::filesystem::symlink_status(link, statusError));
    std::error_code linkError;
    const std::filesystem::path target = linked ? std::filesystem::weakly_canonical(link, linkError) : link;
    if (linkError) return link.string() + ": " + linkError.message();
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    if (auto failure = EnsureFolder(folder)) return failure;

    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.Get() < 0) return Failure(target, errno);

    int error = 0;
    if (::fchmod(fd.Get(), static_cast<mode_t>(mode)) != 0 || !WriteAll(fd.Get(), contents) ||
        ::fsync(fd.Get()) != 0) {
        error = errno;
    }
    if (fd.Close() != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return Failure(target, error);
    }
    SyncFolder(folder);
    return std::nullopt;
}

std::optional<std::string> AtomicFileWriter::Remove(const std::filesystem::path& target) {
    if (::unlink(target.c_str()) != 0 && errno != ENOENT) return Failure(target, errno);
    return std::nullopt;
}
