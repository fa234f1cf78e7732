#pragma once

#include <string>
#include <vector>

#include "platform/win32/WinTypes.h"

// What an HDROP points to: the local files dropped on a window, in the order
// the drag listed them. The layer owns it for the length of the
// WM_DROPFILES that carries it.
class DroppedFiles {
public:
    explicit DroppedFiles(std::vector<std::string> paths) : m_paths(std::move(paths)) {}
    const std::vector<std::string>& Paths() const { return m_paths; }

private:
    std::vector<std::string> m_paths;
};

// Win32 contract: iFile 0xFFFFFFFF gives the number of files; a null
// buffer gives the length of file iFile's path; otherwise at most cch - 1
// bytes and a NUL are copied and their number returned (0 past the end).
UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch);
// Nothing to free here: the layer owns the drop. Kept for the Win32 shape.
void DragFinish(HDROP hDrop);
