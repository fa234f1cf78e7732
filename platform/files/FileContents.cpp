#include "platform/files/FileContents.h"

#include <cerrno>
#include <cstdint>
#include <sys/mman.h>

#include "platform/files/CFile.h"

FileContents::~FileContents() {
    Release();
}

void FileContents::Release() {
    if (m_data != nullptr) munmap(m_data, m_capacity);
    m_data = nullptr;
    m_capacity = m_size = 0;
}

int FileContents::Read(const std::string& path) {
    Release();
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return file.LastErrno();
    const uint64_t size = file.GetLength();
    if (file.LastErrno() != 0) return file.LastErrno();
    if (size == 0) return 0;
    if (size > SIZE_MAX / 2) return EFBIG;
    // Anonymous memory, so nobody else's change to the file can pull pages
    // from under the reader; populated in one go, in large pages where the
    // system allows them, so that a file of many megabytes costs a handful
    // of faults and TLB entries rather than one per 4 KiB. Both are hints:
    // where the kernel declines, the read makes the pages.
    const auto capacity = static_cast<size_t>(size);
    void* data = mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED) return errno;
    (void)madvise(data, capacity, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
    (void)madvise(data, capacity, MADV_POPULATE_WRITE);
#endif
    m_data = static_cast<char*>(data);
    m_capacity = capacity;
    m_size = file.Read(m_data, capacity);
    if (file.ReadFailed()) {
        const int error = file.LastErrno();
        Release();
        return error;
    }
    return 0;
}
