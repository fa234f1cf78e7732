#pragma once

#include <string>
#include <vector>

#include "document/FileResult.h"

// What reading a link file gave: whether there was one to open at all, the
// lines it holds, or why it could not be read to its end.
class LinkFileRead {
public:
    enum class State {
        // Nothing could be opened (as a rule: the ROM has no link file).
        Absent,
        // Read to its end; Lines() holds every line, possibly none.
        Read,
        // Opened but a read failed; Error() says where and why.
        Failed,
    };

    static LinkFileRead Absent();
    static LinkFileRead Read(std::vector<std::string> lines);
    static LinkFileRead Failed(FileResult error);

    State GetState() const { return m_state; }
    // Each line exactly as read, in file order, without its terminator.
    const std::vector<std::string>& Lines() const { return m_lines; }
    const FileResult& Error() const { return m_error; }

private:
    LinkFileRead(State state, std::vector<std::string> lines, FileResult error);

    State m_state;
    std::vector<std::string> m_lines;
    FileResult m_error;
};
