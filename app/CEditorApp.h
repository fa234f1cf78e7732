#pragma once

#include "platform/windows/CWinApp.h"

// The application: runs the editor's dialog modally inside InitInstance and
// ends the program when it closes. It also owns the accelerator table, which
// is how Enter, Ctrl+O, Ctrl+S and F1 become commands inside a dialog.
class CEditorApp : public CWinApp {
public:
    CEditorApp();
    ~CEditorApp() override;

    BOOL InitInstance() override;
    BOOL ProcessMessageFilter(int code, MSG* msg) override;

    // Null when the table did not load; the program then has no keys.
    HACCEL m_hAccel = nullptr;
};
