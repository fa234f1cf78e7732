#pragma once

#include <vector>

#include "platform/win32/WinTypes.h"

// A keyboard accelerator table (what HACCEL refers to). Entries are
// virtual-key entries (FVIRTKEY) with FCONTROL/FSHIFT/FALT modifiers that
// must match exactly; FNOINVERT is accepted and has no effect (menus are not
// highlighted anyway).
class AcceleratorTable {
public:
    explicit AcceleratorTable(std::vector<ACCEL> entries);
    // The entry for a key press: vk is the virtual key, modifiers a mix of
    // FCONTROL, FSHIFT and FALT; null when none matches.
    const ACCEL* Find(WORD vk, BYTE modifiers) const;

private:
    std::vector<ACCEL> m_entries;
};

// Tables live until DestroyAcceleratorTable or the end of the program, like
// resources. Null for an empty table.
HACCEL LoadAccelerators(const ACCEL* lpAccel, int cEntries);
HACCEL LoadAccelerators(const std::vector<ACCEL>& entries);
BOOL DestroyAcceleratorTable(HACCEL hAccel);

// For WM_KEYDOWN/WM_SYSKEYDOWN messages that match an entry, sends
// WM_COMMAND MAKEWPARAM(cmd, 1) to hWnd and returns nonzero. When hWnd has a
// menu bar with that command grayed, nothing is sent and the key is still
// consumed (nonzero). Returns 0 for every other message.
int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, MSG* lpMsg);

// Key state during the key message being processed (the modifiers of that
// key event), otherwise the keyboard's current state: high bit set (the
// value is negative) while the key is down. Knows VK_CONTROL, VK_SHIFT and
// VK_MENU.
short GetKeyState(int nVirtKey);
