#pragma once

#include <string>

#include "ui/EditorControls.h"

class EditorState;
class EditorView;

// The one open ROM document of the editor as its commands meet it: open,
// close, save (asking before it overwrites a file another program changed),
// apply, undo and redo, and the apply question asked before anything drops
// an image with unsaved changes. Every file failure is shown with its path
// and reason.
class RomDocumentCommands {
public:
    RomDocumentCommands(EditorState& state, EditorView& view)
        : m_state(state), m_view(view), m_controls(view) {}

    // True to go on. Yes saves, and a save that is refused, fails or is
    // declined stops the operation that asked, so applied changes are never
    // dropped although the user chose to keep them.
    bool PromptApply();
    // The same question for edits typed into the form and not applied yet,
    // asked only while there are such edits: Yes applies them (stopping
    // when they do not read back), No drops them, Cancel stops.
    bool PromptApplyEdits();
    // Open Rom's file dialog, then OpenRomPath.
    void OpenRom();
    // The one way a ROM opens, whatever named it (Open Rom, the command
    // line, Recent Roms, a drop): the apply question for the ROM open now,
    // the file, its original and its link file's modules.
    void OpenRomPath(const std::string& path);
    // A recent ROM: opened, or when it no longer exists, taken off the list
    // with a message.
    void OpenRecentRom(const std::string& path);
    // False when the apply question stopped it; nothing changed then.
    bool CloseRom();
    // Reads the open ROM's file again, its unsaved changes dropped as Close
    // Rom drops them after No; the current module meets the new image at
    // its entry. False, with the message shown and no ROM open, when the
    // file no longer opens.
    bool ReloadRom();
    // False when nothing was saved (refused, declined, or the write failed).
    bool SaveRom();
    void ApplyChanges();
    // Unapplied edits in the form go first, as when another entry is picked.
    void Undo();
    void Redo();
    // Whether the dialog may end.
    bool MayExit() { return PromptApply(); }

private:
    // Yes, No or Cancel to the apply question.
    int AskApply();
    // The ROM just opened has applied, unsaved steps in its recovery
    // journal: Yes restores them, No sets the journal aside; a journal of a
    // file changed since is only reported and set aside.
    void OfferRecovery();
    // Closes the image whatever it holds: every unsaved change goes.
    void DropRom();
    // The file into the document, and its remembered original; the failure
    // is shown.
    bool OpenFile(const std::string& path);

    EditorState& m_state;
    EditorView& m_view;
    EditorControls m_controls;
};
