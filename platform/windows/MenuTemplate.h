#pragma once

#include <string>
#include <vector>

#include "platform/win32/WinTypes.h"

// A menu resource: the drop-downs of a menu bar, each a list of items. Item
// texts keep their '&' mnemonics and a tab before the key text ("&Open
// Rom...\tCtrl+O"); the key text is only shown, it registers no shortcut.
struct MenuItemTemplate {
    std::string text;
    UINT id = 0;
    // MF_GRAYED, MF_CHECKED, MF_SEPARATOR, MF_POPUP (then items holds the
    // sub-menu).
    UINT flags = 0;
    std::vector<MenuItemTemplate> items;
};

struct MenuTemplate {
    std::vector<MenuItemTemplate> popups;
};
