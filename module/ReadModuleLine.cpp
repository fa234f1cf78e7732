#include "module/ReadModuleLine.h"

#include "platform/files/CArchive.h"

bool ReadModuleLine(CArchive& archive, std::string& line, uint64_t& lineNumber) {
    while (archive.ReadString(line)) {
        ++lineNumber;
        if (!line.empty() && line[0] != '#') return true;
    }
    line.clear();
    return false;
}

bool ReadModuleLine(CArchive& archive, std::string_view& line, uint64_t& lineNumber) {
    while (archive.ReadString(line)) {
        ++lineNumber;
        if (!line.empty() && line[0] != '#') return true;
    }
    line = {};
    return false;
}
