#include "ui/AssociateCommand.h"

#include <utility>

#include "platform/store/DesktopAssociation.h"
#include "platform/windows/CMenu.h"
#include "platform/windows/CWnd.h"
#include "res/StringTable.h"
#include "res/resource.h"

AssociateCommand::AssociateCommand(CWnd& dialog, std::string program)
    : m_dialog(dialog), m_program(std::move(program)) {}

void AssociateCommand::Run() {
    const bool create = TakeCheckMark();
    std::vector<AssociationFailure> failures = ChangeStore(create);
    const bool registered = ShellAssociation::IsRegistered();
    // Keys that stayed behind a removal (another verb under "shell", say)
    // matter only while ".qlm" still leads to them.
    if (!create && !registered) failures.clear();
    for (DesktopFailure& desktop : DesktopAssociation::SyncWithStore())
        failures.push_back({std::move(desktop.path), std::move(desktop.reason)});
    ShowMark(registered);
    if (!failures.empty()) Report(create, failures);
}

bool AssociateCommand::TakeCheckMark() {
    CMenu* menu = m_dialog.GetMenu();
    if (menu == nullptr) return false;
    const DWORD previous = menu->CheckMenuItem(ID_MODULES_ASSOCIATE, MF_BYCOMMAND | MF_UNCHECKED);
    return previous == MF_UNCHECKED;
}

std::vector<AssociationFailure> AssociateCommand::ChangeStore(bool create) const {
    return create ? ShellAssociation::Register(m_program) : ShellAssociation::Unregister();
}

void AssociateCommand::ShowMark(bool checked) {
    if (CMenu* menu = m_dialog.GetMenu())
        menu->CheckMenuItem(ID_MODULES_ASSOCIATE, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void AssociateCommand::Report(bool create, const std::vector<AssociationFailure>& failures) {
    std::string text = create ? kAssociateFailedText : kDisassociateFailedText;
    text += "\n";
    for (const AssociationFailure& failure : failures)
        text += "\n" + failure.path + ": " + failure.reason;
    m_dialog.MessageBox(text.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}
