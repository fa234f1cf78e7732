#include "document/LinkFile.h"

#include <algorithm>
#include <unordered_set>

#include "platform/files/AtomicFileWriter.h"
#include "platform/files/CArchive.h"
#include "platform/files/CFile.h"

namespace {

constexpr std::string_view kSuffix = ".ql.ini";
constexpr std::string_view kLineEnd = "\r\n";

} // namespace

std::string LinkFile::PathFor(std::string_view romDir, std::string_view romName) {
    const size_t dot = romName.rfind('.');
    const std::string_view base = dot == std::string_view::npos ? std::string_view{} : romName.substr(0, dot);
    std::string path(romDir);
    path.append(base).append(kSuffix);
    return path;
}

FileResult LinkFile::Write(const std::string& linkPath, const std::vector<std::string>& modulePaths) {
    std::string text;
    for (const auto& path : modulePaths)
        text.append(path).append(kLineEnd);
    // Replaced whole rather than emptied and rewritten, so that a full disk
    // or a crash half way leaves the previous list as it was.
    const auto failure = AtomicFileWriter::Replace(linkPath, text, std::nullopt);
    if (!failure) return FileResult::Success();
    return FileFailure(failure->wrote ? FileAction::Write : FileAction::Create, linkPath,
                       CFile::ErrorText(failure->error));
}

LinkFileRead LinkFile::Read(const std::string& linkPath) {
    CFile file;
    if (!file.Open(linkPath, CFile::modeRead)) return LinkFileRead(std::nullopt);
    std::vector<std::string> lines;
    CArchive archive(file, CArchive::load);
    std::string line;
    while (lines.size() <= kMaxLines && archive.ReadString(line))
        lines.push_back(line);
    if (lines.size() > kMaxLines)
        return LinkFileRead::Failure(
                CannotText(FileAction::Read, linkPath, LinkFileTooLongReason(kMaxLines)));
    if (archive.LineTooLong())
        return LinkFileRead::Failure(
                CannotText(FileAction::Read, linkPath, LineTooLongReason(lines.size() + 1)));
    if (archive.Failed())
        return LinkFileRead::Failure(CannotText(FileAction::Read, linkPath, file.LastErrorText()));
    return LinkFileRead(std::move(lines));
}

std::vector<std::string> LinkFile::ModulePaths(std::string_view romDir,
                                               const std::vector<std::string>& lines) {
    std::vector<std::string> paths;
    std::unordered_set<std::string> seen;
    for (const std::string& line : lines) {
        std::string path = ResolveLine(romDir, line);
        if (seen.insert(path).second) paths.push_back(std::move(path));
    }
    return paths;
}

std::string LinkFile::ResolveLine(std::string_view romDir, std::string_view line) {
    std::string path(line);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (!path.empty() && path.front() == '/') return path;
    return std::string(romDir) + path;
}
