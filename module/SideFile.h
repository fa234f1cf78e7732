#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/files/CArchive.h"
#include "platform/files/CFile.h"
#include "table/LoadFailure.h"

// A side file of a module (entry names, character table, value list), named
// by a line of the module file relative to the module's folder, read as
// significant lines. Closed when destroyed, whatever path the reader took.
class SideFile {
public:
    // Names files run to millions of lines; a page-sized buffer would cost a
    // system call every few hundred of them.
    static constexpr size_t bufferSize = 64 * 1024;

    // False when the file cannot be opened; an empty line names the folder
    // itself, which never opens.
    bool Open(std::string_view folder, std::string_view line);
    bool Next(std::string& line);
    // The line as a view, valid until the next call.
    bool Next(std::string_view& line);
    // 0 when not open.
    uint64_t Length();
    // The path opened, empty until Open succeeds.
    const std::string& Path() const { return m_path; }
    // The place of the line Next last returned when it returned true (`got`),
    // else one past the last line. Kept out of Next, which a names file with
    // a million lines calls a million times.
    SourceLine At(bool got) const { return {m_path, Line(got)}; }
    uint64_t Line(bool got = true) const { return m_lines + (got ? 0 : 1); }
    // A read error, as opposed to the end of the file.
    bool Failed() const { return m_archive && m_archive->Failed(); }
    // What a failed read means to the loader: a line too long or a read error.
    LoadError ReadError() const {
        return m_archive && m_archive->LineTooLong() ? LoadError::LineTooLong : LoadError::Read;
    }

private:
    CFile m_file;
    std::unique_ptr<CArchive> m_archive;
    std::string m_path;
    uint64_t m_lines = 0;
};
