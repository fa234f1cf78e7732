#pragma once

#include "ui/EditorControls.h"

class EditorState;
class EditorView;

// Export Table and Import Table: the current module's whole table as CSV,
// written as qlm dump writes it and read back as qlm import reads it
// (strictly). An import either applies every changed entry as one step
// that a single Undo takes back, or changes nothing and lists the bad cells.
class TableFileCommands {
public:
    TableFileCommands(EditorState& state, EditorView& view) : m_state(state), m_controls(view) {}

    void ExportTable();
    void ImportTable();

private:
    // Whether a ROM and a current module that fits it are there to work on;
    // an unfit module is told to the user.
    bool Ready();

    EditorState& m_state;
    EditorControls m_controls;
};
