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
    static constexpr std::array<COLORREF, kTints> kPalette = {
            RGB(255, 205, 210), RGB(200, 230, 201), RGB(187, 222, 251), RGB(255, 236, 179),
            RGB(225, 190, 231), RGB(178, 235, 242), RGB(255, 204, 188), RGB(220, 237, 200),
            RGB(197, 202, 233), RGB(255, 249, 196), RGB(248, 187, 208), RGB(215, 204, 200),
    };
    if (tint < 0) return RGB(255, 255, 255);
    return kPalette[static_cast<std::size_t>(tint % kTints)];
}
