#pragma once

#include "ui/EditorControls.h"

class CEditorDlg;

// The one open ROM document of the editor: opening it whole into memory,
// saving it back in place, closing it, and the apply question asked before
// anything drops an image with unsaved changes. Works on the dialog's own
// fields; every file failure is shown with its path and reason.
class RomDocumentCommands {
public:
    explicit RomDocumentCommands(CEditorDlg& dlg) : m_dlg(dlg), m_controls(dlg) {}

    // True to go on. Yes saves, and a save that is refused or fails stops
    // the operation that asked, so applied changes are never dropped
    // although the user chose to keep them.
    bool PromptApply();
    void OpenRom();
    // False when the apply question stopped it; nothing changed then.
    bool CloseRom();
    // False when nothing was saved (refused, or the write failed).
    bool SaveRom();
    // Whether the dialog may end.
    bool MayExit() { return PromptApply(); }

private:
    bool ReadRom(const std::string& path, const std::string& name);
    void ClearFormValues();

    CEditorDlg& m_dlg;
    EditorControls m_controls;
};
