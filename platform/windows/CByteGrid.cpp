#include "platform/windows/CByteGrid.h"

#include <array>

#include <QRect>

#include "platform/windows/NativeByteGrid.h"
#include "platform/windows/NativeWindow.h"

CByteGrid::CByteGrid() = default;

CByteGrid::~CByteGrid() {
    // The native side paints m_content; it goes while the content is here.
    DestroyWindow();
}

BOOL CByteGrid::CreateTopLevel(LPCSTR title, const RECT& rect, CWnd* owner) {
    if (::IsWindow(m_hWnd)) return FALSE;
    QWidget* ownerWidget = owner != nullptr && ::IsWindow(owner->m_hWnd) ? owner->m_hWnd->Widget() : nullptr;
    auto native = std::make_unique<NativeByteGrid>(this, m_content, ownerWidget);
    native->SetInitialText(title != nullptr ? title : "");
    native->Widget()->setGeometry(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
    native->Widget()->hide();
    AdoptNative(std::move(native));
    return TRUE;
}

void CByteGrid::SetContent(ByteGridContent content) {
    m_content = std::move(content);
    if (::IsWindow(m_hWnd)) static_cast<NativeByteGrid*>(m_hWnd)->ContentChanged();
}

COLORREF CByteGrid::TintColor(int tint) {
    // Hues far apart follow each other, so neighbouring elements differ
    // even where the palette repeats.
    static constexpr std::array<COLORREF, kTints> kPalette = {
            RGB(255, 190, 190), RGB(190, 225, 255), RGB(200, 240, 180), RGB(255, 225, 160),
            RGB(225, 195, 255), RGB(170, 235, 225), RGB(255, 200, 235), RGB(230, 230, 150),
            RGB(205, 205, 205), RGB(255, 210, 180), RGB(180, 200, 255), RGB(215, 240, 215),
    };
    if (tint < 0) return RGB(255, 255, 255);
    return kPalette[static_cast<std::size_t>(tint % kTints)];
}
