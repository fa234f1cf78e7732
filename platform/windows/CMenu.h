#pragma once

#include <string>

#include "platform/win32/WinConstants.h"
#include "platform/win32/WinTypes.h"

// A dialog's menu bar, addressed by command id (MF_BYCOMMAND, searching the
// drop-downs) or by position (MF_BYPOSITION, the bar's own entries).
// Choosing an enabled item sends WM_COMMAND with its id (and notification
// code 0, lParam 0) to the window that owns the bar; a grayed item sends
// nothing. The object belongs to the bar; FromHandle always gives the same one.
class CMenu {
public:
    static CMenu* FromHandle(HMENU hMenu);
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    // MF_ENABLED or MF_GRAYED (MF_DISABLED also grays). Returns the
    // previous state (MF_ENABLED or MF_GRAYED), or (UINT)-1 when there is
    // no such item.
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    // MF_CHECKED or MF_UNCHECKED. Returns the previous state (MF_CHECKED or
    // MF_UNCHECKED), or (DWORD)-1 when there is no such item.
    DWORD CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    // MF_GRAYED and MF_CHECKED bits, MF_SEPARATOR, MF_POPUP; (UINT)-1 when
    // there is no such item.
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuItemCount() const;
    // The item's text with its '&' and tab, as in the template.
    std::string GetMenuString(UINT nIDItem, UINT nFlags) const;

    // Items changed at run time, addressed by command (MF_BYCOMMAND; the
    // layer refuses MF_BYPOSITION here). nFlags may add MF_GRAYED and
    // MF_CHECKED; the new items are plain strings. InsertMenu puts the new
    // item before nPosition's, in the same drop-down; ModifyMenu may give
    // the item another command id. FALSE when there is no such item.
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem);

private:
    friend class NativeMenu;
    explicit CMenu(HMENU hMenu) : m_hMenu(hMenu) {}
    HMENU m_hMenu;
};

UINT EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable);
DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck);
UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags);
