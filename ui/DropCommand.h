#pragma once

#include <string>
#include <vector>

class EditorState;
class EditorView;

// Files dropped on the dialog: one that is not a module opens as a ROM, as
// Open Rom opens it (the apply question first); modules (.qlm) load as Load
// Modules loads them, after the ROM. Several files that are not modules open
// none of them: which one the user meant is anyone's guess.
class DropCommand {
public:
    DropCommand(EditorState& state, EditorView& view) : m_state(state), m_view(view) {}

    void Run(const std::vector<std::string>& paths);

private:
    EditorState& m_state;
    EditorView& m_view;
};
