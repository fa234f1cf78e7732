#include "platform/files/AtomicFileWriter.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

#include "platform/files/CFile.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/MappingFault.h"

namespace {

bool ReadAll(int fd, uint64_t offset, std::span<uint8_t> into) {
    while (!into.empty()) {
        const ssize_t n = ::pread(fd, into.data(), into.size(), static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        into = into.subspan(static_cast<size_t>(n));
        offset += static_cast<uint64_t>(n);
    }
    return true;
}

// writev takes at most IOV_MAX pieces and may write fewer bytes than asked.
bool WriteAll(int fd, std::span<const std::span<const uint8_t>> pieces) {
    std::vector<iovec> vectors;
    vectors.reserve(std::min<size_t>(pieces.size(), IOV_MAX));
    while (!pieces.empty()) {
        vectors.clear();
        for (size_t i = 0; i < pieces.size() && vectors.size() < IOV_MAX; ++i)
            if (!pieces[i].empty())
                vectors.push_back({const_cast<uint8_t*>(pieces[i].data()), pieces[i].size()});
        const size_t taken = std::min<size_t>(pieces.size(), IOV_MAX);
        size_t done = 0;
        while (!vectors.empty() && done < vectors.size()) {
            const ssize_t n = ::writev(fd, vectors.data() + done, static_cast<int>(vectors.size() - done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                if (n == 0) errno = EIO;
                return false;
            }
            // Past the pieces written whole, into the one written in part.
            for (auto left = static_cast<size_t>(n); left > 0;) {
                iovec& piece = vectors[done];
                const size_t step = std::min(left, piece.iov_len);
                piece.iov_base = static_cast<uint8_t*>(piece.iov_base) + step;
                piece.iov_len -= step;
                left -= step;
                if (piece.iov_len == 0) ++done;
            }
        }
        pieces = pieces.subspan(taken);
    }
    return true;
}

// The rename is durable only once the folder's entry is on disk as well.
void SyncFolder(const std::filesystem::path& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
}

// A fresh file beside the target. Made with open() rather than mkstemp() so
// that, like any new file, it gets 0666 less the umask.
int CreateTemporary(const std::filesystem::path& target, std::string& temp) {
    static std::minstd_rand random(static_cast<unsigned>(::getpid()) ^ std::random_device{}());
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, 'x');
        for (char& c : suffix)
            c = kLetters[random() % (sizeof kLetters - 1)];
        temp = (target.parent_path() / ("." + target.filename().string() + "." + suffix)).string();
        const int fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// A temporary file removed should a mapped input fault while it is made.
class NotedTemporary {
public:
    explicit NotedTemporary(const std::string& path) : m_path(path) { MappingFault::NoteTemporary(path); }
    NotedTemporary(const NotedTemporary&) = delete;
    NotedTemporary& operator=(const NotedTemporary&) = delete;
    ~NotedTemporary() { MappingFault::ForgetTemporary(m_path); }

private:
    const std::string& m_path;
};

// Why an existing target may not be replaced; 0 when it may, or is absent.
int RefusalOf(const std::filesystem::path& target, std::optional<unsigned>& mode) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    // Renaming over a FIFO or a device would quietly put a file in its place.
    if (!S_ISREG(st.st_mode)) return CFile::errNotRegular;
    // What could not be written in place is not replaced either.
    if (::access(target.c_str(), W_OK) != 0) return errno;
    if (!mode) mode = static_cast<unsigned>(st.st_mode & 07777);
    return 0;
}

} // namespace

std::string AtomicFileWriter::Failure::Text() const {
    return path + ": " + CFile::ErrorText(error);
}

std::optional<AtomicFileWriter::Failure> AtomicFileWriter::Replace(const std::filesystem::path& link,
                                                                   std::string_view contents,
                                                                   std::optional<unsigned> mode) {
    return ReplaceStreamed(
            link, [contents](const Sink& sink) { return sink(contents); }, mode);
}

std::optional<AtomicFileWriter::Failure>
AtomicFileWriter::ReplaceStreamed(const std::filesystem::path& link,
                                  const std::function<bool(const Sink& sink)>& produce,
                                  std::optional<unsigned> mode) {
    return ReplaceReadingBack(
            link,
            [&produce](const GatherSink& gather, const ReadBack&) {
                return produce([&gather](std::string_view piece) {
                    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(piece.data()),
                                                         piece.size());
                    return gather({&bytes, 1});
                });
            },
            mode);
}

std::optional<AtomicFileWriter::Failure> AtomicFileWriter::ReplaceReadingBack(
        const std::filesystem::path& link,
        const std::function<bool(const GatherSink& sink, const ReadBack& readBack)>& produce,
        std::optional<unsigned> mode) {
    // A file kept in a dotfiles folder and linked into place stays linked: the
    // file the link names is replaced, not the link.
    std::error_code statusError;
    const bool linked = std::filesystem::is_symlink(std::filesystem::symlink_status(link, statusError));
    std::error_code linkError;
    std::filesystem::path target = linked ? std::filesystem::weakly_canonical(link, linkError) : link;
    if (linkError) return Failure{link.string(), linkError.value(), false};
    if (target.parent_path().empty()) target = std::filesystem::path(".") / target;
    const std::filesystem::path folder = target.parent_path();
    if (const int refusal = RefusalOf(target, mode)) return Failure{target.string(), refusal, false};

    std::string temp;
    FileDescriptor fd(CreateTemporary(target, temp));
    if (fd.Get() < 0) return Failure{target.string(), errno, false};
    const NotedTemporary noted(temp);

    int error = 0;
    const GatherSink sink = [&fd, &error](std::span<const std::span<const uint8_t>> pieces) {
        if (error == 0 && !WriteAll(fd.Get(), pieces)) error = errno;
        return error == 0;
    };
    const ReadBack readBack = [&fd, &error](uint64_t offset, std::span<uint8_t> into) {
        if (error == 0 && !ReadAll(fd.Get(), offset, into)) error = errno;
        return error == 0;
    };
    if (mode && ::fchmod(fd.Get(), static_cast<mode_t>(*mode)) != 0) error = errno;
    if (error == 0 && !produce(sink, readBack) && error == 0) error = ECANCELED;
    if (error == 0 && ::fsync(fd.Get()) != 0) error = errno;
    if (const int closed = fd.Close(); closed != 0 && error == 0) error = closed;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return Failure{target.string(), error, true};
    }
    SyncFolder(folder);
    return std::nullopt;
}

std::optional<std::string> AtomicFileWriter::Write(const std::filesystem::path& target,
                                                   std::string_view contents, unsigned mode) {
    const std::filesystem::path folder = target.parent_path();
    std::error_code folderError;
    if (!folder.empty()) std::filesystem::create_directories(folder, folderError);
    if (folderError) return Failure{folder.string(), folderError.value(), false}.Text();
    if (auto failure = Replace(target, contents, mode)) return failure->Text();
    return std::nullopt;
}

std::optional<std::string> AtomicFileWriter::Remove(const std::filesystem::path& target) {
    if (::unlink(target.c_str()) != 0 && errno != ENOENT)
        return Failure{target.string(), errno, false}.Text();
    return std::nullopt;
}
