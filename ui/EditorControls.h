#pragma once

#include <string>

#include "platform/win32/WinConstants.h"
#include "platform/win32/WinTypes.h"

class EditorView;
struct EditorCommandState;

// The dialog's menu items, selectors, title and message boxes. Every call
// is harmless while the dialog has no window yet (or none any more), so the
// commands need no checks of their own.
class EditorControls {
public:
    explicit EditorControls(EditorView& view) : m_view(view) {}

    // Menu items, selectors and the title as the state says.
    void Show(const EditorCommandState& state);
    // A message box owned by the dialog: no caption of its own (the
    // application's name shows) unless one is given.
    int Message(const std::string& text, UINT type = MB_OK, const char* caption = nullptr);
    void ShowIncompatible();

private:
    EditorView& m_view;
};
