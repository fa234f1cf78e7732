#pragma once

#include <functional>

#include "platform/win32/WinTypes.h"

class CDialog;

// Runs a dialog's real DoModal loop, not the scripted answer the tests
// otherwise give modal dialogs: `body` runs on the loop once it is
// running, with the test's scripted answers back in place, and the dialog
// is ended after it (IDCANCEL, unless the body ended it). For tests that
// must prove what a user can reach while the loop runs. Returns DoModal's
// result; the dialog's window is gone afterwards, as after any DoModal.
class ModalLoop {
public:
    static INT_PTR Run(CDialog& dialog, std::function<void()> body);
};
