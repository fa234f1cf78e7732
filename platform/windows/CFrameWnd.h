#pragma once

#include "platform/windows/CWnd.h"

// A resizable top-level window beside the main dialog: a title, a client
// area for child windows, and OnSize whenever its size changes, so the
// program lays its children out. The close box reaches OnClose (the base
// destroys the window).
class CFrameWnd : public CWnd {
public:
    // rect: where the window goes and how big its client area is; hidden
    // until shown. FALSE when it already exists.
    BOOL Create(LPCSTR lpszTitle, const RECT& rect);
    // Shows the window and brings it in front of the others.
    void Activate();
    // After Create: the key (a virtual key with FCONTROL/FSHIFT/FALT, as in
    // an accelerator table) sends WM_COMMAND with the id and code 1 to this
    // window, unless the focused control wants the key itself (an edit box
    // keeps Ctrl+Z for its own typing).
    void AddCommandKey(const ACCEL& key);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The client area's new size.
    virtual void OnSize(UINT nType, int cx, int cy);
};
