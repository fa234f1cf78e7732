#include "module/CSideFile.h"

#include "module/ReadModuleLine.h"
#include "platform/files/CPath.h"

namespace {
// Names files run to millions of lines; a page-sized buffer would cost a
// system call every few hundred of them.
constexpr size_t kSideFileBuffer = 64 * 1024;
} // namespace

bool CSideFile::Open(std::string_view folder, std::string_view line) {
    if (!m_file.Open(CPath::JoinSideFile(folder, line), CFile::modeRead)) return false;
    m_archive = std::make_unique<CArchive>(m_file, CArchive::load, kSideFileBuffer);
    return true;
}

bool CSideFile::Next(std::string& line) {
    if (!m_archive) {
        line.clear();
        return false;
    }
    return ReadModuleLine(*m_archive, line);
}

bool CSideFile::Next(std::string_view& line) {
    if (!m_archive) {
        line = {};
        return false;
    }
    return ReadModuleLine(*m_archive, line);
}

uint64_t CSideFile::Length() {
    return m_file.IsOpen() ? m_file.GetLength() : 0;
}
