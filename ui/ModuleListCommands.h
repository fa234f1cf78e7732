#pragma once

#include <string>
#include <vector>

#include "document/ModuleList.h"
#include "ui/EditorControls.h"

class EditorState;
class EditorView;

// The module list of the editor: loading module files into it, making one
// current, switching, unloading and reloading. Works on the editor's state,
// which announces every change; the view only shows the messages.
class ModuleListCommands {
public:
    ModuleListCommands(EditorState& state, EditorView& view)
        : m_state(state), m_view(view), m_controls(view) {}

    // Loads one module and appends it to the list; a file that cannot be
    // opened is skipped in silence, one that fails to load gets its
    // "Module Error" message. Never changes the current module.
    void AddModuleFromFile(const std::string& path);
    // The same for many, with the failures of all in one message.
    void AddModulesFromFiles(const std::vector<std::string>& paths);
    void LoadStartupModule(const std::string& path);
    void LoadModules();
    // Load Modules without its file dialog (files dropped on the dialog).
    void LoadModuleFiles(const std::vector<std::string>& paths);
    // The first module becomes current (and meets the open ROM).
    void SelectFirstModule();
    // The current module meets the open ROM image: the entry (0 when the
    // module has no such entry) selected and the incompatibility message
    // when the module does not fit.
    void MeetOpenRom(int entry = 0);
    // Asks nothing: the caller has had its apply question answered.
    void UnloadModule();
    void ModuleSelChange();
    // Reads every listed module again from its file, keeping the current
    // module and its entry where the new modules allow; a module that now
    // fails gets its "Module Error" and leaves the list. Asks nothing.
    void ReloadModules();
    // Unloads every module without a question.
    void Clear();

private:
    void ShowAdded(const ModuleList::AddResult& added);
    void ShowLoadFailure(const ModuleFileError& error);
    void SelectFirstIfNoneCurrent();
    // Makes the module current; with a ROM open, the entry is selected and
    // a module that does not fit says so.
    void MakeCurrent(int index, int entry = 0);

    EditorState& m_state;
    EditorView& m_view;
    EditorControls m_controls;
};
