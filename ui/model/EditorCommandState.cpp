#include "ui/model/EditorCommandState.h"

#include <algorithm>

#include "res/StringTable.h"
#include "res/resource.h"
#include "ui/model/EditorState.h"

bool EditorCommandState::Enabled(UINT id) const {
    const auto it =
            std::find_if(commands.begin(), commands.end(), [id](const auto& c) { return c.first == id; });
    return it != commands.end() && it->second;
}

EditorCommandState EditorCommandState::Of(const EditorState& state) {
    const RomDocument& document = state.document;
    const bool open = document.IsOpen();
    const bool module = state.CurrentModule() != nullptr;
    // Save and Link wait for a module to have met the ROM, and then still
    // run once the last module is unloaded.
    const bool met = open && state.ModuleMetRom();
    const bool table = open && module && state.Fits();
    EditorCommandState result;
    result.commands = {
            {ID_FILE_CLOSEROM, open},
            {ID_FILE_SAVEROM, met},
            {ID_FILE_APPLY, open && module},
            {ID_FILE_EXPORTTABLE, table},
            {ID_FILE_IMPORTTABLE, table},
            {ID_EDIT_UNDO, document.CanUndo()},
            {ID_EDIT_REDO, document.CanRedo()},
            {ID_MODULES_UNLOAD, module},
            {ID_MODULES_RELOAD, module},
            {ID_MODULES_LINK, met},
            {ID_VIEW_COMPARE, open},
            {ID_FILE_EXPORTPATCH, state.DiffersFromOriginal()},
    };
    result.checks = {{ID_VIEW_COMPARE, state.HasOriginal()}};
    result.moduleSelector = module;
    result.entrySelector = open && module;
    const bool modified = open && document.IsModified();
    result.mainTitle = open ? DocumentTitle(document.Name(), modified) : std::string(kTitleNoFile);
    const std::string name = module ? state.CurrentModule()->m_strName : std::string();
    result.tableTitle = SideWindowTitle(SideWindow::Table, name, modified);
    result.bytesTitle = SideWindowTitle(SideWindow::Bytes, name, modified);
    return result;
}
