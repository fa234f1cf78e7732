#include "platform/windows/CMenu.h"

#include "platform/windows/NativeMenu.h"

CMenu* CMenu::FromHandle(HMENU hMenu) {
    return NativeMenu::IsLive(hMenu) ? hMenu->Object() : nullptr;
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
    return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
}

DWORD CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
    return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuItemCount() const {
    return NativeMenu::IsLive(m_hMenu) ? m_hMenu->Count() : -1;
}

std::string CMenu::GetMenuString(UINT nIDItem, UINT nFlags) const {
    return NativeMenu::IsLive(m_hMenu) ? m_hMenu->Text(nIDItem, nFlags) : std::string();
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
    return NativeMenu::IsLive(m_hMenu) &&
                           m_hMenu->InsertItem(nPosition, nFlags, static_cast<UINT>(nIDNewItem),
                                               lpszNewItem != nullptr ? lpszNewItem : "")
                   ? TRUE
                   : FALSE;
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) {
    return NativeMenu::IsLive(m_hMenu) && m_hMenu->DeleteItem(nPosition, nFlags) ? TRUE : FALSE;
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
    return NativeMenu::IsLive(m_hMenu) &&
                           m_hMenu->ModifyItem(nPosition, nFlags, static_cast<UINT>(nIDNewItem),
                                               lpszNewItem != nullptr ? lpszNewItem : "")
                   ? TRUE
                   : FALSE;
}

UINT EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    return NativeMenu::IsLive(hMenu) ? hMenu->EnableItem(uIDEnableItem, uEnable) : static_cast<UINT>(-1);
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    return NativeMenu::IsLive(hMenu) ? hMenu->CheckItem(uIDCheckItem, uCheck) : static_cast<DWORD>(-1);
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    return NativeMenu::IsLive(hMenu) ? hMenu->State(uId, uFlags) : static_cast<UINT>(-1);
}
