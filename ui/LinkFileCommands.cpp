#include "ui/LinkFileCommands.h"

#include <vector>

#include "document/LinkFile.h"
#include "document/ModuleList.h"
#include "table/CTableModule.h"
#include "ui/CEditorDlg.h"
#include "ui/ModuleListCommands.h"

void LinkFileCommands::LinkRom() {
    if (!m_dlg.m_bRomOpen) return;
    if (!m_dlg.m_bCompatible) {
        m_controls.ShowIncompatible();
        return;
    }
    const FileResult written = LinkFile::Write(LinkPath(), ModuleList(m_dlg.m_modules).Paths());
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
    ModuleListCommands modules(m_dlg);
    modules.Clear();
    // No duplicate test: a path listed twice is loaded twice.
    for (const std::string& line : *read.Value())
        modules.AddModuleFromFile(LinkFile::ResolveLine(m_dlg.m_strRomDir, line));
    if (!m_dlg.m_modules.empty()) modules.SelectFirstModule();
    return true;
}

std::string LinkFileCommands::LinkPath() const {
    return LinkFile::PathFor(m_dlg.m_strRomDir, m_dlg.m_strRomName);
}
