#pragma once

#include <string>

#include "ui/EditorControls.h"

class CEditorDlg;

// The link file beside the open ROM: Link Rom To Modules writes the module
// list into it, and opening the ROM reads it back to replace the list.
class LinkFileCommands {
public:
    explicit LinkFileCommands(CEditorDlg& dlg) : m_dlg(dlg), m_controls(dlg) {}

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

    CEditorDlg& m_dlg;
    EditorControls m_controls;
};
