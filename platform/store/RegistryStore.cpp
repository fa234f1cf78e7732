#include "platform/store/RegistryStore.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include "platform/store/AtomicFileWriter.h"
#include "platform/store/RegistryFileFormat.h"
#include "platform/store/RegistryKey.h"

namespace {

std::filesystem::path& FolderOverride() {
    static std::filesystem::path folder;
    return folder;
}

std::filesystem::path HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr) {
        return pw->pw_dir;
    }
    return "/";
}

std::string Reason(const std::filesystem::path& path, const std::string& what) {
    return path.string() + ": " + what;
}

// The nearest folder that exists on the way up from path; creating the store
// there needs write access to it.
std::filesystem::path NearestExisting(std::filesystem::path path) {
    std::error_code ec;
    while (!path.empty() && !std::filesystem::exists(path, ec) && path != path.root_path()) {
        path = path.parent_path();
    }
    return path;
}

// Returns 0 or the errno of the failure.
int ReadWhole(const std::filesystem::path& path, std::string& text) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    char buffer[4096];
    int error = 0;
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return error;
}

} // namespace

std::filesystem::path RegistryStore::Folder() {
    if (!FolderOverride().empty()) return FolderOverride();
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base = (config != nullptr && config[0] == '/') ? std::filesystem::path(config)
                                                                         : HomeFolder() / ".config";
    return base / "quillmoor";
}

std::filesystem::path RegistryStore::FilePath() {
    return Folder() / "registry";
}

void RegistryStore::SetFolder(std::filesystem::path folder) {
    FolderOverride() = std::move(folder);
}

LONG RegistryStore::Load(RegistryKey& top, std::string& why) {
    const std::filesystem::path path = FilePath();
    std::string text;
    int error = ReadWhole(path, text);
    // A store that does not exist yet, even its folder, is empty; whether it can
    // be created is for the writes to find out.
    if (error == ENOENT || error == ENOTDIR) return ERROR_SUCCESS;
    if (error != 0) {
        why = Reason(path, std::strerror(error));
        return error == EACCES ? ERROR_ACCESS_DENIED : ERROR_READ_FAULT;
    }
    std::string problem;
    if (!RegistryFileFormat::Read(text, top, problem)) {
        why = Reason(path, problem);
        return ERROR_BADDB;
    }
    return ERROR_SUCCESS;
}

LONG RegistryStore::Save(const RegistryKey& top, std::string& why) {
    if (auto failure = AtomicFileWriter::Write(FilePath(), RegistryFileFormat::Write(top), 0600)) {
        why = *failure;
        return ERROR_WRITE_FAULT;
    }
    return ERROR_SUCCESS;
}

LONG RegistryStore::CheckWritable(std::string& why) {
    const std::filesystem::path file = FilePath();
    std::error_code ec;
    if (std::filesystem::exists(file, ec) && ::access(file.c_str(), W_OK) != 0) {
        why = Reason(file, std::strerror(errno));
        return ERROR_ACCESS_DENIED;
    }
    const std::filesystem::path existing = NearestExisting(file.parent_path());
    if (!std::filesystem::is_directory(existing, ec)) {
        why = Reason(existing, std::strerror(ENOTDIR));
        return ERROR_ACCESS_DENIED;
    }
    if (::access(existing.c_str(), W_OK | X_OK) != 0) {
        why = Reason(existing, std::strerror(errno));
        return ERROR_ACCESS_DENIED;
    }
    return ERROR_SUCCESS;
}
