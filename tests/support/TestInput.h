#pragma once

#include <string>
#include <vector>

#include "platform/win32/WinTypes.h"
#include "platform/windows/BitmapImage.h"

class CComboBox;
class CWnd;

// A user's actions as real toolkit events, for UI tests that must not name
// toolkit types. Keys go to the focused widget inside the window (the window
// itself when nothing inside it has the focus), so they pass the
// application's accelerator filter first, as a user's keys do.
class TestInput {
public:
    // modifiers: a mix of FCONTROL, FSHIFT and FALT.
    static void KeyClick(CWnd& window, WORD vk, BYTE modifiers = 0);
    // Types Latin-1 text, one key event per byte, into the window.
    static void TypeText(CWnd& window, const std::string& text);
    // Types UTF-8 text as the characters a keyboard would deliver.
    static void TypeUtf8(CWnd& window, const std::string& utf8);
    // Opens the drop-down and clicks the item with the mouse.
    static void ChooseComboItem(CComboBox& combo, int index);
    // Chooses the menu item with that command id as a click on it would,
    // whether or not it is grayed (a grayed item does nothing).
    static void ClickMenuItem(CWnd& window, UINT id);
    // The close box of a top-level window.
    static void ClickCloseBox(CWnd& window);
    // Gives the keyboard focus to the window as a click on it would: its
    // top-level window becomes the active one first, since the toolkit holds
    // back the focus of a window that is not active.
    static void Focus(CWnd& window);
    // Makes the window's top-level window the active one, as the user's
    // click on it would (its first control takes the focus); nothing for a
    // window a modal one blocks.
    static void Activate(CWnd& window);
    // A left click in the middle of the window.
    static void Click(CWnd& window);
    // Turns the wheel over the middle of the window, as the mouse under the
    // pointer does: the toolkit picks the widget and passes an ignored turn
    // on to the parents. Positive notches turn away from the user (up).
    static void Wheel(CWnd& window, int notches);
    // The user turns to another program; activating a window of this one
    // afterwards is a return to it.
    static void LeaveProgram();
    // Local files dropped on the middle of the window from another program;
    // true when the window took them.
    static bool DropFiles(CWnd& window, const std::vector<std::string>& paths);
    // Lets pending events (paints, deferred deletes) run.
    static void ProcessEvents();
    // What the window shows now (offscreen rendering, no frame).
    static BitmapImage Grab(CWnd& window);
    static bool SaveScreenshot(CWnd& window, const std::string& path);
};
