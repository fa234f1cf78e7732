#pragma once

#include "platform/windows/CWnd.h"

class QWidget;

// A handle for a widget built without a window class of its own (the
// windows beside the dialog), so the layer's calls that take an HWND know
// it: a message box it owns, the application's key filter. The handle owns
// the widget and destroys it with itself; when the widget's parent destroys
// it first, the handle just stops being a window.
class WindowHandle : public CWnd {
public:
    explicit WindowHandle(QWidget* widget);
};
