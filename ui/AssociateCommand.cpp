#include "ui/AssociateCommand.h"

#include <utility>

#include "platform/store/DesktopAssociation.h"
#include "platform/windows/CMenu.h"
#include "platform/windows/CWnd.h"
#include "res/resource.h"

AssociateCommand::AssociateCommand(CWnd& dialog, std::string program)
    : m_dialog(dialog), m_strProgram(std::move(program)) {}

void AssociateCommand::Run() {
    const bool bCreate = TakeCheckMark();
    std::vector<AssociationFailure> failures = ChangeStore(bCreate);
    const bool bRegistered = ShellAssociation::IsRegistered();
    // Keys that stayed behind a removal (another verb under "shell", say)
    // matter only while ".qlm" still leads to them.
    if (!bCreate && !bRegistered) failures.clear();
    for (DesktopFailure& desktop : DesktopAssociation::SyncWithStore())
        failures.push_back({std::move(desktop.path), std::move(desktop.reason)});
    ShowMark(bRegistered);
    if (!failures.empty()) Report(bCreate, failures);
}

bool AssociateCommand::TakeCheckMark() {
    CMenu* pMenu = m_dialog.GetMenu();
    if (pMenu == nullptr) return false;
    const DWORD previous = pMenu->CheckMenuItem(ID_MODULES_ASSOCIATE, MF_BYCOMMAND | MF_UNCHECKED);
    return previous == MF_UNCHECKED;
}

std::vector<AssociationFailure> AssociateCommand::ChangeStore(bool bCreate) const {
    return bCreate ? ShellAssociation::Register(m_strProgram) : ShellAssociation::Unregister();
}

void AssociateCommand::ShowMark(bool bChecked) {
    if (CMenu* pMenu = m_dialog.GetMenu())
        pMenu->CheckMenuItem(ID_MODULES_ASSOCIATE, MF_BYCOMMAND | (bChecked ? MF_CHECKED : MF_UNCHECKED));
}

void AssociateCommand::Report(bool bCreate, const std::vector<AssociationFailure>& failures) {
    std::string text = bCreate ? "Could not associate .qlm files with Quillmoor."
                               : "Could not remove the association of .qlm files.";
    text += "\n";
    for (const AssociationFailure& failure : failures)
        text += "\n" + failure.path + ": " + failure.reason;
    m_dialog.MessageBox(text.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}
