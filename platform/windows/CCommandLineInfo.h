#pragma once

#include <string>

// The program's command line, as CWinApp::ParseCommandLine reads it.
// Arguments that start with '-' are flags (on this system '/' starts a
// path, not a flag); the first argument that is not a flag is the file name.
// Everything else is ignored.
class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;
    // Called once per argument; bFlag tells whether it was a flag (its
    // leading '-' removed from pszParam), bLast whether it is the last one.
    virtual void ParseParam(const char* pszParam, bool bFlag, bool bLast);

    std::string m_strFileName;
};
