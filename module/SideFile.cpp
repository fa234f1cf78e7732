#include "module/SideFile.h"

#include "module/ReadModuleLine.h"
#include "platform/files/CPath.h"

bool SideFile::Open(std::string_view folder, std::string_view line) {
    std::string path = CPath::JoinSideFile(folder, line);
    if (!m_file.Open(path, CFile::modeRead)) return false;
    m_archive = std::make_unique<CArchive>(m_file, CArchive::load, bufferSize);
    m_path = std::move(path);
    return true;
}

bool SideFile::Next(std::string& line) {
    if (!m_archive) {
        line.clear();
        return false;
    }
    return ReadModuleLine(*m_archive, line, m_lines);
}

bool SideFile::Next(std::string_view& line) {
    if (!m_archive) {
        line = {};
        return false;
    }
    return ReadModuleLine(*m_archive, line, m_lines);
}

uint64_t SideFile::Length() {
    return m_file.IsOpen() ? m_file.GetLength() : 0;
}
