#pragma once

#include <QKeyEvent>

#include "platform/win32/WinTypes.h"

// Turns a Qt key event into the WM_KEYDOWN message Win32 code expects, and
// keeps the key's modifiers and purpose while that message is processed.
class KeyMessage {
public:
    // The virtual-key code of a Qt key, 0 for keys without one (and for the
    // modifier keys themselves, which never make accelerators).
    static WORD VirtualKey(int qtKey);
    // FCONTROL, FSHIFT and FALT for the event's modifiers.
    static BYTE Modifiers(Qt::KeyboardModifiers modifiers);

    // While one exists, GetKeyState answers from these modifiers, and in a
    // probe TranslateAccelerator only reports a match without sending the
    // command: Qt asks first whether a key is wanted (ShortcutOverride) and
    // only then delivers it.
    class Scope {
    public:
        Scope(Qt::KeyboardModifiers modifiers, bool probe);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        bool m_wasActive;
        BYTE m_previousModifiers;
        bool m_wasProbe;
    };

    static bool Active();
    static BYTE CurrentModifiers();
    static bool Probing();
};
