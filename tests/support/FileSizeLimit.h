#pragma once

#include <cstdint>
#include <sys/resource.h>

// Holds this process's file-size limit at `bytes` while it lives, with
// SIGXFSZ ignored: a write past the limit then fails with EFBIG, a genuine
// write failure on a regular file without needing a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_previous)(int) = nullptr;
};
