#pragma once

#include "platform/win32/WinTypes.h"
#include "platform/windows/ModalHook.h"

class CDialog;

// A modal dialog about to run. The dialog's window exists, OnInitDialog has
// run and it is shown.
struct DialogRequest {
    CDialog* dialog = nullptr;
};

// The handler drives the dialog (sends it messages or keys, calls
// EndDialog); DoModal then returns what EndDialog was given, or the
// handler's own answer when the dialog was not ended. DoModal never runs a
// blocking loop while a handler is installed.
using DialogHook = ModalHook<DialogRequest, INT_PTR>;
