#pragma once

#include <string>
#include <vector>

#include "platform/win32/WinTypes.h"

class BitmapImage;
struct MenuTemplate;

// One control of a dialog resource. Position and size are in dialog units.
struct DialogItemTemplate {
    // "COMBOBOX", "EDIT", "STATIC" or "BUTTON".
    std::string className;
    std::string text;
    UINT id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    // Picture of an SS_BITMAP or SS_ICON static; not owned.
    const BitmapImage* image = nullptr;
};

// A dialog resource. Position and size are in dialog units, converted with
// the base units of the template's font (DS_SETFONT); a position of 0, 0
// centres the dialog. The size is the client area, below the menu bar.
struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    // Not owned; null for a dialog without a menu bar.
    const MenuTemplate* menu = nullptr;
    std::string caption;
    int pointSize = 8;
    std::string typeface = "MS Sans Serif";
    std::vector<DialogItemTemplate> items;
};
