#pragma once

#include <cstdint>
#include <string>

#include "table/LoadError.h"

// A place in a module file or one of its side files: the path as it was
// opened and a physical line number counted from 1, blank and comment lines
// included. Line 0 means the file as a whole (no line was being read).
struct SourceLine {
    std::string file;
    uint64_t line = 0;
};

// Why a load failed and where: the error, the line the loader was reading
// when it gave up (one past the last line when the file ended early), and
// the element being read, once its name line was.
struct LoadFailure {
    LoadError error = LoadError::None;
    SourceLine at;
    std::string element;
};
