#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A whole file read into one buffer that is never zeroed first and whose
// pages are made all at once: a large input (an imported table of many
// megabytes) costs one pass over its bytes, not a page fault every 4 KiB.
class FileContents {
public:
    FileContents() = default;
    ~FileContents();
    FileContents(const FileContents&) = delete;
    FileContents& operator=(const FileContents&) = delete;

    // 0, or the errno (or CFile::errNotRegular) of the open or read that
    // failed. Opens as CFile does: only regular files, never blocking.
    int Read(const std::string& path);
    // The bytes as they were read; a file that grew meanwhile is read to
    // the length it had when it was opened.
    std::string_view Text() const { return {m_data, m_size}; }

private:
    void Release();

    char* m_data = nullptr;
    size_t m_capacity = 0;
    size_t m_size = 0;
};
