#pragma once

#include "ui/EditorControls.h"

class EditorState;
class EditorView;

// Compare With Original: the ROM as shipped, chosen once per ROM and
// remembered, which the table, the bytes window and the form compare the
// image with.
class CompareCommands {
public:
    CompareCommands(EditorState& state, EditorView& view) : m_state(state), m_controls(view) {}

    void CompareWithOriginal();
    // A BPS or IPS patch (by the name's extension) from the original to the
    // image as it is in memory, applied but unsaved edits included.
    void ExportPatch();
    // After Open Rom: the original chosen for this ROM before, when it can
    // still be read; nothing is said when it cannot.
    void RecallOriginal();

private:
    // Reads the file whole; false, after its message when asked, on failure.
    bool Load(const std::string& path, bool quiet);

    EditorState& m_state;
    EditorControls m_controls;
};
