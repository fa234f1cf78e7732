#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CArchive;

// The next significant line: empty lines and lines starting with '#' are
// skipped, nothing is trimmed. False, with the string empty, when the input
// ends first or fails (the archive's Failed() tells which). `lineNumber`
// counts every physical line taken from the archive, skipped ones included,
// so after a true return it is the number of the line returned.
bool ReadModuleLine(CArchive& archive, std::string& line, uint64_t& lineNumber);
// The same as a view into the archive, valid until its next read.
bool ReadModuleLine(CArchive& archive, std::string_view& line, uint64_t& lineNumber);
