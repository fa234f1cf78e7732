#pragma once

#include <QFont>

class CFont;

// What an HFONT points to. Windows copy the QFont, so a window does not
// depend on the font object staying alive.
class NativeFont {
public:
    NativeFont(CFont* owner, const QFont& font);
    ~NativeFont();
    NativeFont(const NativeFont&) = delete;
    NativeFont& operator=(const NativeFont&) = delete;

    static bool IsLive(const NativeFont* font);
    CFont* Owner() const { return m_owner; }
    const QFont& Font() const { return m_font; }

    // Point sizes to pixels at 96 dpi, rounded as Windows does (MulDiv).
    static int PixelsForTenths(int tenthsOfPoint);
    // Registers the Windows face names that have no fontconfig alias.
    static void InstallSubstitutions();

private:
    CFont* m_owner;
    QFont m_font;
};
