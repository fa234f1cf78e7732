#include "platform/windows/AcceleratorTable.h"

#include <algorithm>
#include <memory>

#include <QGuiApplication>

#include "platform/win32/WinConstants.h"
#include "platform/windows/CMenu.h"
#include "platform/windows/CWnd.h"
#include "platform/windows/KeyMessage.h"

namespace {
std::vector<std::unique_ptr<AcceleratorTable>>& Tables() {
    static std::vector<std::unique_ptr<AcceleratorTable>> tables;
    return tables;
}

bool IsTable(HACCEL table) {
    return std::any_of(Tables().begin(), Tables().end(), [table](const auto& p) { return p.get() == table; });
}

constexpr BYTE kModifierMask = FCONTROL | FSHIFT | FALT;
} // namespace

AcceleratorTable::AcceleratorTable(std::vector<ACCEL> entries) : m_entries(std::move(entries)) {}

const ACCEL* AcceleratorTable::Find(WORD vk, BYTE modifiers) const {
    for (const ACCEL& entry : m_entries) {
        // Character entries (no FVIRTKEY) would need WM_CHAR; the program
        // has none, so they never match.
        if ((entry.fVirt & FVIRTKEY) && entry.key == vk &&
            (entry.fVirt & kModifierMask) == (modifiers & kModifierMask))
            return &entry;
    }
    return nullptr;
}

HACCEL LoadAccelerators(const ACCEL* lpAccel, int cEntries) {
    if (lpAccel == nullptr || cEntries <= 0) return nullptr;
    return LoadAccelerators(std::vector<ACCEL>(lpAccel, lpAccel + cEntries));
}

HACCEL LoadAccelerators(const std::vector<ACCEL>& entries) {
    if (entries.empty()) return nullptr;
    Tables().push_back(std::make_unique<AcceleratorTable>(entries));
    return Tables().back().get();
}

BOOL DestroyAcceleratorTable(HACCEL hAccel) {
    auto& tables = Tables();
    const auto it =
            std::find_if(tables.begin(), tables.end(), [hAccel](const auto& p) { return p.get() == hAccel; });
    if (it == tables.end()) return FALSE;
    tables.erase(it);
    return TRUE;
}

int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, MSG* lpMsg) {
    if (lpMsg == nullptr || !IsTable(hAccTable)) return 0;
    if (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN) return 0;
    CWnd* target = CWnd::FromHandle(hWnd);
    if (target == nullptr) return 0;
    BYTE modifiers = 0;
    if (GetKeyState(VK_CONTROL) < 0) modifiers |= FCONTROL;
    if (GetKeyState(VK_SHIFT) < 0) modifiers |= FSHIFT;
    if (GetKeyState(VK_MENU) < 0) modifiers |= FALT;
    const ACCEL* entry = hAccTable->Find(static_cast<WORD>(lpMsg->wParam), modifiers);
    if (entry == nullptr) return 0;
    if (KeyMessage::Probing()) return 1;
    // A grayed command, or a disabled window, takes the key and runs nothing.
    if (CMenu* menu = target->GetMenu()) {
        const UINT state = menu->GetMenuState(entry->cmd, MF_BYCOMMAND);
        if (state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED))) return 1;
    }
    if (!target->IsWindowEnabled()) return 1;
    target->SendMessage(WM_COMMAND, MAKEWPARAM(entry->cmd, 1), 0);
    return 1;
}

short GetKeyState(int nVirtKey) {
    const BYTE modifiers = KeyMessage::Active()
                                   ? KeyMessage::CurrentModifiers()
                                   : KeyMessage::Modifiers(QGuiApplication::queryKeyboardModifiers());
    BYTE bit = 0;
    switch (nVirtKey) {
    case VK_CONTROL:
        bit = FCONTROL;
        break;
    case VK_SHIFT:
        bit = FSHIFT;
        break;
    case VK_MENU:
        bit = FALT;
        break;
    default:
        return 0;
    }
    return (modifiers & bit) ? static_cast<short>(0x8000) : 0;
}
