#include "app/EditorCommandLine.h"

void EditorCommandLine::ParseParam(const char* pszParam, bool bFlag, bool bLast) {
    if (bFlag || pszParam == nullptr) return;
    if (++m_operands == 2) m_strRomFile = pszParam;
    CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
}
