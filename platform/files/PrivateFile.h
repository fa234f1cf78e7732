#pragma once

#include <string>

// A file the program keeps for itself in a folder of its own (a recovery
// journal, its lock): opened never through a link and never as anything
// that could block, such as a FIFO, and kept only when it is a regular file,
// so that nothing planted at its name is followed or written.
class PrivateFile {
public:
    // A descriptor of `name` in the folder open as `folder` (AT_FDCWD for a
    // path), with `flags` and, when it is made, mode 0600; -1 with errno
    // set (ENOTSUP for what is not a regular file, ELOOP for a link).
    static int Open(int folder, const std::string& name, int flags);
};
