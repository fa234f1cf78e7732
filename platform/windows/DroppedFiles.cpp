#include "platform/windows/DroppedFiles.h"

#include <algorithm>
#include <cstring>

UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch) {
    if (hDrop == nullptr) return 0;
    const std::vector<std::string>& paths = hDrop->Paths();
    if (iFile == 0xFFFFFFFFu) return static_cast<UINT>(paths.size());
    if (iFile >= paths.size()) return 0;
    const std::string& path = paths[iFile];
    if (lpszFile == nullptr) return static_cast<UINT>(path.size());
    if (cch == 0) return 0;
    const size_t n = std::min<size_t>(path.size(), cch - 1);
    std::memcpy(lpszFile, path.data(), n);
    lpszFile[n] = '\0';
    return static_cast<UINT>(n);
}

void DragFinish(HDROP) {}
