#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/files/FileContents.h"

// A whole file to read, mapped from the page cache rather than copied: the
// patch commands go over two ROMs of up to 4 GiB, and a copy into fresh
// memory costs more than everything else they do. Where the system will not
// map the file it is read as FileContents reads it.
//
// A mapping shows the file as it is now, so a file cut shorter while it is
// mapped faults when its lost pages are touched (SIGBUS). Only a program that
// holds its inputs briefly and says so on such a fault (OnCutShort) should
// use it; the editor, which keeps documents open for hours, reads whole
// copies.
class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // 0, or the errno (or CFile::errNotRegular) of the open or read that
    // failed. Opens as CFile does: only regular files, never blocking.
    int Map(const std::string& path);
    std::span<const uint8_t> Bytes() const;
    // Should the mapped file be cut short while it is read, the process
    // prints `message`, removes the temporary files it was writing and
    // exits with status 1 (see MappingFault).
    void OnCutShort(std::string_view message) const;

private:
    void Release();

    void* m_map = nullptr;
    size_t m_size = 0;
    FileContents m_copy;
};
