#include "platform/windows/CFrameWnd.h"

#include <memory>

#include "platform/windows/NativeFrame.h"

BOOL CFrameWnd::Create(LPCSTR lpszTitle, const RECT& rect) {
    if (::IsWindow(m_hWnd)) return FALSE;
    AdoptNative(std::make_unique<NativeFrame>(this));
    m_hWnd->SetInitialText(lpszTitle != nullptr ? lpszTitle : "");
    m_hWnd->Place(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
    return TRUE;
}

void CFrameWnd::Activate() {
    if (auto* frame = ::IsWindow(m_hWnd) ? dynamic_cast<NativeFrame*>(m_hWnd) : nullptr) frame->Activate();
}

void CFrameWnd::AddCommandKey(const ACCEL& key) {
    if (auto* frame = ::IsWindow(m_hWnd) ? dynamic_cast<NativeFrame*>(m_hWnd) : nullptr)
        frame->AddCommandKey(key);
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        OnSize(static_cast<UINT>(wParam), LOWORD(static_cast<UINT_PTR>(lParam)),
               HIWORD(static_cast<UINT_PTR>(lParam)));
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CFrameWnd::OnSize(UINT, int, int) {}
