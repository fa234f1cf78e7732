#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include "platform/win32/WinTypes.h"

class QWidget;

// A user's input as the window system delivers it: to the top-level window
// under it, so Qt routes it to the widget there and holds it back from a
// window a modal one blocks, as it does a real user's. A widget whose
// window was never shown gets nothing.
class WindowSystemInput {
public:
    // Makes the widget's window the active one, as the user's click on it
    // would, unless a modal window blocks it (then nothing happens, as for
    // the user). Clicks and keys below do this first.
    static void Activate(QWidget* widget);
    // Clicks at `at` in the widget's coordinates (its centre by default).
    static void Click(QWidget* widget, QPoint at = {-1, -1});
    static void DoubleClick(QWidget* widget, QPoint at = {-1, -1});
    // Moves the pointer there without a button.
    static void Hover(QWidget* widget, QPoint at = {-1, -1});
    // A key into the window the widget lies in: its focused widget gets it.
    static void Key(QWidget* widget, int qtKey, int modifiers = 0);
    static void Text(QWidget* widget, const QString& text);
    // The window's close box.
    static void Close(QWidget* widget);
    // The user turns to another program: no window of this one is active.
    static void LeaveProgram();
    // Local files dragged in from another program and dropped at `at` in
    // the widget (its centre by default): the window under it hands them to
    // the widget there that takes drops, unless a modal window blocks it.
    // (A real drag session needs a display; the events are the toolkit's.)
    // True when a widget took them.
    static bool DropFiles(QWidget* widget, const QStringList& paths, QPoint at = {-1, -1});
    // Turns the wheel over the middle of the widget; positive notches turn
    // away from the user.
    static void Wheel(QWidget* widget, int notches);
    // A virtual key's Qt key, and FCONTROL/FSHIFT/FALT as Qt's modifiers.
    static int KeyOf(WORD vk);
    static int ModifiersOf(BYTE modifiers);
};
