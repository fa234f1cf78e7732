#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "table/Result.h"

class CFile;

// What makes a save in place all or nothing: before the first byte of the
// ROM is written, the ranges about to be written and their old bytes are on
// the disk in a rollback file beside it (RollbackFormat); then the ranges are
// written and synced; then the rollback file is removed. A rollback file
// found later means a save was cut short, and its old bytes go back first.
// Every call runs under the ROM's lock (CFile::LockExclusive), which the
// editor and qlm both take, except RollBackBeside, which takes it itself.
class RollbackFile {
public:
    // Sorted, disjoint [begin, end) byte ranges of the file.
    using Ranges = std::vector<std::pair<uint32_t, uint32_t>>;
    // Where the new bytes are: the file's byte at `offset` is
    // image[offset - imageOffset].
    struct Source {
        const uint8_t* image = nullptr;
        uint64_t imageOffset = 0;
    };
    struct Failure {
        // The whole text the user reads, saying what became of the ROM.
        std::string text;
        // No rollback file could be made because the folder may not be
        // written; nothing was written. `text` is the system's reason alone.
        bool folderNotWritable = false;
    };
    using WriteResult = Result<void, Failure>;
    // Whether old bytes went back; or why a leftover could not be applied.
    using Undone = Result<bool, std::string>;

    static std::string PathFor(const std::string& romPath);
    // Whether anything at all (a file, a link, a FIFO) is at the rollback
    // file's path.
    static bool Present(const std::string& romPath);

    // The ranges of `source` over the ROM, through a rollback file. Where
    // none can be made for want of a writable folder, `unsafeInPlace`
    // writes in place all the same. `rom` is open for reading and writing.
    static WriteResult Write(CFile& rom, const std::string& romPath, const Ranges& ranges, Source source,
                             bool unsafeInPlace);
    // Applies a leftover rollback file: the old bytes written and synced,
    // the file's modification time put back, then the rollback file
    // removed. A torn one (its save never reached the ROM) is only removed.
    static Undone RollBack(CFile& rom, const std::string& romPath);
    // The same for a caller who holds neither the file nor its lock.
    static Undone RollBackBeside(const std::string& romPath);

private:
    static Result<void, std::string> Record(CFile& rom, int fd, const Ranges& ranges);
    static WriteResult WriteInPlace(CFile& rom, const std::string& romPath, const Ranges& ranges,
                                    Source source, size_t& written);
    // The first `count` ranges' old bytes back (all when count is SIZE_MAX).
    static Undone Apply(CFile& rom, const std::string& romPath, size_t count);
    static WriteResult UndoAfter(CFile& rom, const std::string& romPath, const std::string& failure,
                                 size_t count);
};
