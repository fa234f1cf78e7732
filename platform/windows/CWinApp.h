#pragma once

#include <string>
#include <vector>

#include "platform/win32/WinTypes.h"

class CCommandLineInfo;
class CWnd;

// The application object. Exactly one is current: constructing one makes it
// the application (AfxGetApp), destroying it clears that. AfxWinMain starts
// the toolkit, calls InitInstance and, if it returns TRUE, runs the event
// loop; a dialog-based program does its work inside InitInstance (DoModal)
// and returns FALSE to end.
//
// While an application object exists, every key press in any of the
// program's windows first goes to ProcessMessageFilter as a WM_KEYDOWN (or
// WM_SYSKEYDOWN with Alt) MSG whose wParam is the virtual key, before the
// focused control sees it and before the toolkit's own shortcuts. Returning
// TRUE consumes the key.
class CWinApp {
public:
    // A null name names the application after the executable's base name.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The base consumes nothing.
    virtual BOOL ProcessMessageFilter(int code, MSG* lpMsg);

    // Feeds the arguments (without the program's path) to rCmdInfo.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // The arguments AfxWinMain received, without argv[0]; tests set them.
    void SetCommandLine(std::vector<std::string> args);

    // Kept for call sites written for Windows; the toolkit draws its own look.
    void Enable3dControls() {}

    // The application's name: the executable's base name unless given.
    std::string m_strAppName;
    // The window accelerators are sent to; set by InitInstance.
    CWnd* m_pMainWnd = nullptr;

private:
    std::vector<std::string> m_args;
};

CWinApp* AfxGetApp();
// The application's name even without an application object: the
// executable's base name.
std::string AfxGetAppName();

// The program's entry: creates the toolkit application if there is none,
// hands argv to the current application object and runs it. Returns the
// exit code (ExitInstance's result).
int AfxWinMain(int argc, char** argv);
