#pragma once

#include <ostream>
#include <string>
#include <vector>

// Things a path can name that are not regular files, for the tests of every
// place a file is opened. Opened as files, each would wait forever (a FIFO no
// one writes to), never end (/dev/zero) or not be a file at all (a socket, a
// folder).
struct OddFile {
    // Short and printable: it names the test case.
    std::string kind;
    // Makes it at `path`; /dev/zero is reached through a symbolic link, so
    // that links are followed to what they name.
    void (*make)(const std::string& path);

    static const std::vector<OddFile>& All();
};

std::ostream& operator<<(std::ostream& out, const OddFile& odd);
