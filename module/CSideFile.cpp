#include "module/CSideFile.h"

#include "module/ReadModuleLine.h"
#include "platform/CPath.h"

bool CSideFile::Open(std::string_view folder, std::string_view line) {
    if (!m_file.Open(CPath::JoinSideFile(folder, line), CFile::modeRead))
        return false;
    m_archive = std::make_unique<CArchive>(m_file, CArchive::load);
    return true;
}

bool CSideFile::Next(std::string& line) {
    if (!m_archive) {
        line.clear();
        return false;
    }
    return ReadModuleLine(*m_archive, line);
}
