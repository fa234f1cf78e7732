#pragma once

#include <string>

class CArchive;

// The next significant line: empty lines and lines starting with '#' are
// skipped, nothing is trimmed. False, with the string empty, when the input
// ends first or fails (the archive's Failed() tells which).
bool ReadModuleLine(CArchive& archive, std::string& line);
