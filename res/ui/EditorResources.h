#pragma once

#include <vector>

#include "platform/win32/WinTypes.h"
#include "platform/windows/DialogTemplate.h"
#include "platform/windows/MenuTemplate.h"

class BitmapImage;

// The main window's resources, built once and kept for the program's life
// like resources compiled into an executable.
class EditorResources {
public:
    static const DialogTemplate& EditorDialog();
    static const MenuTemplate& EditorMenu();
    static const std::vector<ACCEL>& EditorAccelerators();
    // The 32 x 32 program icon, compiled in as pixels (res/make_icon.py) so
    // that start-up runs no image decoder.
    static const BitmapImage& EditorIcon();
};
