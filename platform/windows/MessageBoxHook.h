#pragma once

#include <string>

#include "platform/win32/WinConstants.h"
#include "platform/win32/WinTypes.h"
#include "platform/windows/ModalHook.h"

// What a message box shows. caption is the one displayed: the application's
// name when the caller gave none.
struct MessageBoxRequest {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = MB_OK;
};

// A test answers with the button id (IDOK, IDYES, IDNO, IDCANCEL).
using MessageBoxHook = ModalHook<MessageBoxRequest, int>;

// The Win32 message box: buttons from MB_TYPEMASK (MB_OK, MB_OKCANCEL,
// MB_YESNO, MB_YESNOCANCEL, ...), icon from MB_ICONMASK. Returns the id of
// the button pressed; Escape or the close box give IDCANCEL where the box
// has a Cancel button (IDOK for MB_OK) and are ignored otherwise. A null
// caption shows the application's name.
int MessageBox(HWND hwndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);
