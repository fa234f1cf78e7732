#pragma once

#include <string>

#include "ui/EditorControls.h"

class EditorState;
class EditorView;

// The link file beside the open ROM: Link Rom To Modules writes the module
// list into it, and opening the ROM reads it back to replace the list.
class LinkFileCommands {
public:
    LinkFileCommands(EditorState& state, EditorView& view) : m_state(state), m_view(view), m_controls(view) {}

    // Refused while the current module does not fit the image, leaving any
    // old link file as it was; a failed write is shown with path and reason.
    void LinkRom();
    // For a ROM just opened: replaces the module list by the modules the link
    // file names and makes the first current. False when there was no link
    // file to read, or it could not be read to its end (reported); the module
    // list is then kept as it was.
    bool ReadLinkFile();

private:
    std::string LinkPath() const;

    EditorState& m_state;
    EditorView& m_view;
    EditorControls m_controls;
};
