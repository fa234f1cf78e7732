#pragma once

#include <string>

#include "platform/win32/WinConstants.h"
#include "platform/win32/WinTypes.h"

class CComboBox;
class EditorView;
class RomDocument;

// The dialog's menu items, selectors and title as the document and module
// commands switch them. Every call is harmless while the dialog has no
// window yet (or none any more), so the commands need no checks of their own.
class EditorControls {
public:
    explicit EditorControls(EditorView& view) : m_view(view) {}

    // Enables or grays a menu item by command id.
    void EnableCommand(UINT id, bool enable);
    void EnableModuleSelector(bool enable);
    void EnableEntrySelector(bool enable);
    // The module selector from the dialog template; null without a window.
    CComboBox* ModuleSelector();
    // "Quillmoor - " and the ROM name, " *" after it while modified.
    void ShowDocumentTitle(const RomDocument& document);
    void ShowNoDocumentTitle();
    // Undo and Redo grayed exactly when the document has no step to take.
    void ShowUndoState(const RomDocument& document);
    // A message box owned by the dialog: no caption of its own (the
    // application's name shows) unless one is given.
    int Message(const std::string& text, UINT type = MB_OK, const char* caption = nullptr);
    void ShowIncompatible();

private:
    EditorView& m_view;
};
