#pragma once

#include <optional>

#include "platform/files/CFile.h"

class EditorState;
class EditorView;

// The open ROM's file against what another program did to it since it was
// opened or last saved, looked at when the editor comes to the front again.
// With nothing at stake a rebuilt file is read again at once; with unsaved
// changes the user chooses; a file that went is reported. Each state of the
// file on the disk is acted on once, so a user who keeps the editor's image
// is not asked again at every return to the window.
class RomDiskWatch {
public:
    // True when the file was read again.
    bool Check(EditorState& state, EditorView& view);
    // Another ROM (or the same anew) is open: nothing about it was told.
    void Forget();

private:
    // The file as the user last heard of it; gone when m_toldGone.
    std::optional<CFile::Identity> m_told;
    bool m_toldGone = false;
};
