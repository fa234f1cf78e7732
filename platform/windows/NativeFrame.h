#pragma once

#include "platform/win32/WinTypes.h"
#include "platform/windows/NativeWindow.h"

// A top-level QWidget for CFrameWnd: resizes reach the owner as WM_SIZE and
// the close box as WM_CLOSE.
class NativeFrame : public NativeWindow {
public:
    explicit NativeFrame(CWnd* owner);
    ~NativeFrame() override;

    void Activate();
    void AddCommandKey(const ACCEL& key);
};
