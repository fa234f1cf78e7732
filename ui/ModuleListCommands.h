#pragma once

#include <string>
#include <vector>

#include "document/ModuleList.h"
#include "ui/EditorControls.h"

struct EditorState;
class EditorView;

// The module list of the editor: loading module files into it, making one
// current, switching and unloading, and the test of whether the current
// module fits the open ROM image. Works on the editor's state and view.
class ModuleListCommands {
public:
    ModuleListCommands(EditorState& state, EditorView& view)
        : m_state(state), m_view(view), m_controls(view) {}

    // Loads one module and appends it to the list and the selector; a file
    // that cannot be opened is skipped in silence, one that fails to load
    // gets its "Module Error" message. Never changes the current module.
    void AddModuleFromFile(const std::string& path);
    // The same for many, with the failures of all in one message.
    void AddModulesFromFiles(const std::vector<std::string>& paths);
    void LoadStartupModule(const std::string& path);
    void LoadModules();
    void SelectFirstModule();
    // The current module meets the open ROM image: entry 0 selected, the
    // compatibility test, and the commands that need both enabled.
    void MeetOpenRom();
    // Asks nothing: the caller has had its apply question answered.
    void UnloadModule();
    void ModuleSelChange();
    // Entry 0 of the current module against the open image; sets
    // the document's verdict and shows the entry or the incompatibility message.
    void TestCompatibility(int entry = 0);
    // Reads every listed module again from its file, keeping the current
    // module and its entry where the new modules allow; a module that now
    // fails gets its "Module Error" and leaves the list. Asks nothing.
    void ReloadModules();
    // Unloads every module without a question, ending as unloading the last
    // module does.
    void Clear();

private:
    // A listed module joins the selector; a failed load gets its message.
    void ShowAdded(const ModuleList::AddResult& added);
    void ShowLoadFailure(const ModuleFileError& error);
    void RefillModuleSelector();
    void SelectFirstIfNoneCurrent();
    void ShowListEmptied();
    void BuildForm();
    void DestroyForm();

    EditorState& m_state;
    EditorView& m_view;
    EditorControls m_controls;
};
