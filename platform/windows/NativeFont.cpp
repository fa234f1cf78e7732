#include "platform/windows/NativeFont.h"

#include <unordered_set>

#include <QStringList>

namespace {
std::unordered_set<const NativeFont*>& LiveFonts() {
    static std::unordered_set<const NativeFont*> fonts;
    return fonts;
}
} // namespace

NativeFont::NativeFont(CFont* owner, const QFont& font) : m_owner(owner), m_font(font) {
    LiveFonts().insert(this);
}

NativeFont::~NativeFont() {
    LiveFonts().erase(this);
}

bool NativeFont::IsLive(const NativeFont* font) {
    return font != nullptr && LiveFonts().count(font) != 0;
}

int NativeFont::PixelsForTenths(int tenthsOfPoint) {
    // MulDiv(points, 96, 72) with the tenths carried along.
    const long long num = static_cast<long long>(tenthsOfPoint) * 96;
    const long long den = 720;
    return static_cast<int>((num + den / 2) / den);
}

void NativeFont::InstallSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    // fontconfig knows Times New Roman and Arial (fonts-liberation), but has
    // no alias for the old dialog faces.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("MS Shell Dlg"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), {QStringLiteral("Liberation Serif")});
}
