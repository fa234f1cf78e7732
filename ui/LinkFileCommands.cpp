#include "ui/LinkFileCommands.h"

#include <vector>

#include "document/LinkFile.h"
#include "document/ModuleList.h"
#include "table/CTableModule.h"
#include "ui/ModuleListCommands.h"
#include "ui/model/EditorState.h"

void LinkFileCommands::LinkRom() {
    if (!m_state.document.IsOpen()) return;
    if (!m_state.Fits()) {
        m_controls.ShowIncompatible();
        return;
    }
    const FileResult written = LinkFile::Write(LinkPath(), ModuleList(m_state.modules).Paths());
    if (!written) m_controls.Message(written.Error(), MB_OK | MB_ICONEXCLAMATION);
}

bool LinkFileCommands::ReadLinkFile() {
    // Read whole before the list is touched, so a file that breaks off half
    // way never leaves the user with half a list.
    const LinkFileRead read = LinkFile::Read(LinkPath());
    if (!read) {
        m_controls.Message(read.Error(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!read.Value()) return false;
    ModuleListCommands modules(m_state, m_view);
    modules.Clear();
    modules.AddModulesFromFiles(LinkFile::ModulePaths(m_state.document.Folder(), *read.Value()));
    if (!m_state.modules.empty()) modules.SelectFirstModule();
    return true;
}

std::string LinkFileCommands::LinkPath() const {
    return LinkFile::PathFor(m_state.document.Folder(), m_state.document.Name());
}
