#include "platform/store/RegistryStore.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include "platform/files/AtomicFileWriter.h"
#include "platform/files/CFile.h"
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
    int error = CFile::ReadWhole(path, text);
    // A store that does not exist yet, even its folder, is empty; whether it can
    // be created is for the writes to find out. Nor is there a store where a
    // folder, FIFO or device sits: it is never read, and CheckWritable keeps every
    // write from putting a file in its place.
    if (error == ENOENT || error == ENOTDIR || error == EISDIR || error == CFile::errNotRegular)
        return ERROR_SUCCESS;
    if (error != 0) {
        why = Reason(path, CFile::ErrorText(error));
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
    if (std::filesystem::exists(file, ec)) {
        if (!std::filesystem::is_regular_file(file, ec)) {
            why = Reason(file,
                         CFile::ErrorText(std::filesystem::is_directory(file, ec) ? EISDIR
                                                                                  : CFile::errNotRegular));
            return ERROR_ACCESS_DENIED;
        }
        if (::access(file.c_str(), W_OK) != 0) {
            why = Reason(file, std::strerror(errno));
            return ERROR_ACCESS_DENIED;
        }
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
