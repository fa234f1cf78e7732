#pragma once

#include <string>
#include <vector>

#include "ui/ShellAssociation.h"

class CWnd;

// Associate .qlm Files: the check mark of the menu item says which way the
// command goes (checked removes, unchecked creates), the registry store is
// changed, and the desktop is brought in line with the store. Afterwards the
// mark shows what the store holds; anything that did not work is reported
// with the key or file concerned and the reason.
class AssociateCommand {
public:
    // dialog owns the menu bar and the message box; program is the full path
    // the association's command starts.
    AssociateCommand(CWnd& dialog, std::string program);

    void Run();

private:
    // Returns true when the association was asked for, false for removal.
    bool TakeCheckMark();
    std::vector<AssociationFailure> ChangeStore(bool create) const;
    void ShowMark(bool checked);
    void Report(bool create, const std::vector<AssociationFailure>& failures);

    CWnd& m_dialog;
    std::string m_program;
};
