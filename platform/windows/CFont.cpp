#include "platform/windows/CFont.h"

#include <string>

#include <QFontInfo>

#include "platform/windows/NativeFont.h"

CFont::CFont() = default;

CFont::~CFont() {
    delete m_hFont;
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC*) {
    if (m_hFont != nullptr || nPointSize <= 0) return FALSE;
    NativeFont::InstallSubstitutions();
    QFont font(QString::fromUtf8(lpszFaceName != nullptr ? lpszFaceName : ""));
    font.setPixelSize(std::max(1, NativeFont::PixelsForTenths(nPointSize)));
    m_hFont = new NativeFont(this, font);
    return TRUE;
}

CFont* CFont::FromHandle(HFONT hFont) {
    return NativeFont::IsLive(hFont) ? hFont->Owner() : nullptr;
}

std::string CFont::GetResolvedFamily() const {
    return m_hFont != nullptr ? QFontInfo(m_hFont->Font()).family().toStdString() : std::string();
}

int CFont::GetPixelHeight() const {
    return m_hFont != nullptr ? m_hFont->Font().pixelSize() : 0;
}
