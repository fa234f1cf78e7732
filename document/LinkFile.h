#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/FileResult.h"

// What reading a link file gave: its lines, or none when there was no file
// to open at all (as a rule: the ROM has no link file); on failure, the text
// saying where and why it could not be read to its end.
using LinkFileRead = Result<std::optional<std::vector<std::string>>, std::string>;

// The link file beside a ROM remembers which modules belong to it: one module
// path per line, each ended by CR LF, so files written on Windows and here
// read the same.
class LinkFile {
public:
    // A link file longer than this is refused as unreadable: no ROM needs
    // more modules, and each one listed costs a load.
    static constexpr size_t kMaxLines = 1024;

    // romDir (ending in '/', or empty) + the ROM name up to its last '.' +
    // ".ql.ini"; a name without '.' gives ".ql.ini" alone.
    static std::string PathFor(std::string_view romDir, std::string_view romName);

    // Writes every path followed by CR LF, in order, into a new file that
    // then takes the link file's place (a link file that is a symbolic link
    // has its target replaced). Until that moment the old file stays whole.
    // Failures name the link file and the system's reason.
    static FileResult Write(const std::string& linkPath, const std::vector<std::string>& modulePaths);

    // Reads every line: a line ends at LF, or at CR with the character after
    // it; a last line without terminator counts; nothing is trimmed or
    // skipped. Each line comes exactly as read, in file order, without its
    // terminator. A read failure gives no lines, so a half-read file never
    // replaces the module list. More than kMaxLines lines, or a line longer
    // than CArchive::kLineLimit, fails the same way.
    static LinkFileRead Read(const std::string& linkPath);

    // The module path of every line (ResolveLine), each path once, in the
    // order of its first line: a module named twice is loaded once.
    static std::vector<std::string> ModulePaths(std::string_view romDir,
                                                const std::vector<std::string>& lines);

    // The module path a line names: '\' separates folders as '/' does, and
    // a path that does not start at '/' is taken from the ROM's folder.
    static std::string ResolveLine(std::string_view romDir, std::string_view line);
};
