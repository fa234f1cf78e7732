#include "OddFiles.h"

#include <cstring>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

void Check(int rc, const std::string& path) {
    if (rc != 0) throw std::runtime_error("cannot make " + path);
}

// The socket's file stays after its descriptor is closed; nothing listens.
void MakeSocket(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) throw std::runtime_error("socket path too long: " + path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    const int rc = fd < 0 ? -1 : bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    if (fd >= 0) close(fd);
    Check(rc, path);
}

} // namespace

const std::vector<OddFile>& OddFile::All() {
    static const std::vector<OddFile> all = {
            {"Fifo",
             [](const std::string& path) {
                 Check(mkfifo(path.c_str(), 0666), path);
             }},
            {"DevZero",
             [](const std::string& path) {
                 Check(symlink("/dev/zero", path.c_str()), path);
             }},
            {"Socket", MakeSocket},
            {"Folder",
             [](const std::string& path) {
                 Check(mkdir(path.c_str(), 0777), path);
             }},
    };
    return all;
}

std::ostream& operator<<(std::ostream& out, const OddFile& odd) {
    return out << odd.kind;
}
