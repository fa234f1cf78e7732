#pragma once

#include <string>

#include "platform/win32/WinTypes.h"

// The shape of every window beside the editor's dialog: a presenter (in
// ui/, no toolkit) implements a WindowModel that the window reads and
// reports the user's actions to as plain calls; the layer's one widget for
// it implements a WindowView, which the presenter tells what changed.
class WindowModel {
public:
    virtual ~WindowModel() = default;
    virtual std::string Title() const = 0;
    // The user closed the window (the close box or Escape); it is hidden
    // already, and opening it again brings it back as it was.
    virtual void OnClosed() = 0;
    // A key of the editor's accelerator table handed to the window was
    // pressed outside a cell editor; id is its command.
    virtual void OnCommand(UINT id) = 0;
};

class WindowView {
public:
    virtual ~WindowView() = default;
    // Shows the window in front, its main control focused.
    virtual void Show() = 0;
    virtual bool IsVisible() const = 0;
    // Asks the model's Title again.
    virtual void TitleChanged() = 0;
    // A message box owned by this window, through the layer's hook; the
    // button the user pressed.
    virtual int Message(const std::string& text, const std::string& caption, UINT type) = 0;
};
