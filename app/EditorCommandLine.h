#pragma once

#include <string>

#include "platform/windows/CCommandLineInfo.h"

// The editor's operands: the first keeps its classic meaning (the module
// loaded at start-up); a second names a ROM opened once the window is up.
class EditorCommandLine : public CCommandLineInfo {
public:
    void ParseParam(const char* pszParam, bool bFlag, bool bLast) override;

    std::string m_strRomFile;

private:
    int m_operands = 0;
};
