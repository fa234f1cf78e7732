#pragma once

#include <string>

#include "platform/win32/WinConstants.h"
#include "platform/win32/WinTypes.h"

class CComboBox;
class CEditorDlg;

// The dialog's menu items, selectors and title as the document and module
// handlers switch them. Every call is harmless while the dialog has no
// window yet (or none any more), so the handlers need no checks of their own.
class EditorControls {
public:
    explicit EditorControls(CEditorDlg& dlg) : m_dlg(dlg) {}

    // Enables or grays a menu item by command id.
    void EnableCommand(UINT id, bool enable);
    void EnableModuleSelector(bool enable);
    void EnableEntrySelector(bool enable);
    // The module selector from the dialog template; null without a window.
    CComboBox* ModuleSelector();
    // "Quillmoor - " and the ROM name, " *" after it while modified.
    void ShowDocumentTitle();
    void ShowNoDocumentTitle();
    // A message box owned by the dialog: no caption of its own (the
    // application's name shows) unless one is given.
    int Message(const std::string& text, UINT type = MB_OK, const char* caption = nullptr);
    void ShowIncompatible();

private:
    CEditorDlg& m_dlg;
};
