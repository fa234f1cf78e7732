#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// A POSIX file descriptor with the handful of operations the editor needs.
// Failures are returned as values; the errno of the last failure is kept so
// that callers can report the path together with the system's reason.
class CFile {
public:
    static constexpr unsigned modeRead = 0x0000;
    static constexpr unsigned modeWrite = 0x0001;
    static constexpr unsigned modeReadWrite = 0x0002;
    static constexpr unsigned modeCreate = 0x1000;

    CFile() = default;
    ~CFile();
    CFile(CFile&& other) noexcept;
    CFile& operator=(CFile&& other) noexcept;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeRead: read only. modeWrite: write only into an existing file, which
    // is neither created nor truncated. modeReadWrite: the same, readable too.
    // modeCreate|modeWrite: create the file or empty it. Only a regular file
    // opens (links followed): a directory fails with EISDIR, anything else
    // (FIFO, socket, device) with errNotRegular, and none of them can make the
    // call wait. A regular file of size 0 (as procfs and sysfs report every
    // file) stays non-blocking: a read with nothing to give fails at once.
    // A file already open is closed first.
    bool Open(const std::string& path, unsigned flags);
    bool IsOpen() const { return m_fd >= 0; }
    // The descriptor, for a call this class does not make (mmap); -1 when closed.
    int Descriptor() const { return m_fd; }

    // Absolute path as resolved when the file was opened; empty when closed.
    std::string GetFilePath() const { return m_strPath; }
    // The last component of GetFilePath().
    std::string GetFileName() const;

    // Size in bytes from fstat; 0 (and LastErrno set) when that fails.
    uint64_t GetLength();
    bool Seek(uint64_t offset);

    // Reads until n bytes or the end of the file. A read error stops the
    // loop, is recorded (ReadFailed, LastErrno) and returns what was read.
    size_t Read(void* buffer, size_t n);
    bool ReadFailed() const { return m_bReadFailed; }

    // Writes all n bytes or returns false.
    bool Write(const void* buffer, size_t n);
    bool Sync();

    // Positioned I/O that leaves the file offset alone: all n bytes or false.
    // ReadAt stops early, without failing, only at the end of the file.
    bool WriteAt(uint64_t offset, const void* buffer, size_t n);
    size_t ReadAt(uint64_t offset, void* buffer, size_t n);
    // The data on the disk, without the metadata a full Sync also flushes.
    bool SyncData();
    // Waits for an exclusive advisory lock on the whole file; it goes with
    // the descriptor.
    bool LockExclusive();
    // Sets the modification time (nanoseconds since the epoch) of the open
    // file, as a file put back to its old bytes was last modified.
    bool SetModificationTime(int64_t ns);

    // What tells one file from another: a file replaced, truncated or
    // written by someone else no longer compares equal.
    struct Identity {
        uint64_t device = 0;
        uint64_t inode = 0;
        uint64_t size = 0;
        int64_t mtimeNs = 0;
        bool regular = false;
        bool operator==(const Identity&) const = default;
    };
    // From fstat on the open descriptor; nullopt (and LastErrno) on failure.
    std::optional<Identity> GetIdentity();
    // The same for whatever the path names now, symlinks followed.
    static std::optional<Identity> IdentityOf(const std::string& path);

    // Closing a file that is not open succeeds.
    bool Close();

    // LastErrno() of a file refused for not being a regular file; no errno
    // says that.
    static constexpr int errNotRegular = -1;
    // The whole of a small file (Open's rules), into `text`. 0, or the
    // LastErrno() of the open or read that failed.
    static int ReadWhole(const std::string& path, std::string& text);

    // strerror of an errno, or the reason for errNotRegular.
    static std::string ErrorText(int error);

    int LastErrno() const { return m_nErrno; }
    std::string LastErrorText() const { return ErrorText(m_nErrno); }

private:
    bool Fail(int err);
    // What a read or write reports once its loop ends: the bytes moved, and
    // a failure kept for GetLastError.
    size_t FinishRead(size_t moved, int error);
    bool FinishWrite(size_t wanted, size_t moved, int error);

    int m_fd = -1;
    int m_nErrno = 0;
    bool m_bReadFailed = false;
    std::string m_strPath;
};
