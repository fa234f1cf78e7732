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

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The client area's new size.
    virtual void OnSize(UINT nType, int cx, int cy);
};
