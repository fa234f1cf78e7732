#include "platform/windows/CCommandLineInfo.h"

void CCommandLineInfo::ParseParam(const char* pszParam, bool bFlag, bool) {
    if (!bFlag && m_strFileName.empty() && pszParam != nullptr) m_strFileName = pszParam;
}
