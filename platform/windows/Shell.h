#pragma once

#include <string>

#include "platform/win32/WinConstants.h"
#include "platform/win32/WinTypes.h"
#include "platform/windows/ModalHook.h"

// What ShellExecute was asked to open.
struct ShellExecuteRequest {
    HWND owner = nullptr;
    std::string operation;
    std::string file;
    std::string parameters;
    std::string directory;
    int showCmd = SW_SHOWNORMAL;
};

// A test answers whether the desktop accepted the request.
using ShellExecuteHook = ModalHook<ShellExecuteRequest, bool>;

// Opens a file or URL with the desktop's handler ("open" or a null
// operation). Like Win32, returns a value greater than 32 on success and a
// small error number otherwise.
INT_PTR ShellExecute(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                     int nShowCmd);

// The running program's absolute path (hModule is ignored; only the program
// itself can be asked about). Copies at most nSize - 1 bytes and a NUL and
// returns the number of bytes copied, 0 on failure.
DWORD GetModuleFileName(HINSTANCE hModule, LPSTR lpFilename, DWORD nSize);
std::string GetModuleFileName();
