#pragma once

#include <memory>

#include "platform/windows/NativeWindow.h"
#include "platform/windows/ScrollBarState.h"

class QScrollBar;
class QPainter;

// A plain window (no window class of its own): a frame for WS_BORDER and
// WS_EX_CLIENTEDGE, a vertical scroll bar for WS_VSCROLL, and a client area
// that holds the child windows and paints only through WM_ERASEBKGND.
class NativeContainer : public NativeWindow {
public:
    NativeContainer(CWnd* owner, DWORD style, DWORD exStyle, UINT id, QWidget* parent);
    ~NativeContainer() override;

    QWidget* Client() const override;
    bool ScrollsChildren() const override { return true; }
    ScrollBarState* ScrollBar(int bar) override;
    void SyncScrollBar(int bar) override;
    // Lays the client area out at once: Qt delays resize events of a hidden
    // window until it shows, but the program measures it before that.
    void Place(const QRect& rect) override;

    // Win32 frame widths: 1 pixel for WS_BORDER, 2 for WS_EX_CLIENTEDGE.
    static int FrameWidth(DWORD style, DWORD exStyle);
    // The width of a vertical scroll bar, as on Windows.
    static constexpr int kScrollBarWidth = 17;

    void PaintClient(QPainter& painter);
    void OnBarAction(int action);
    void OnBarReleased();
    // A window that scrolls gets the wheel as WM_MOUSEWHEEL; false when the
    // turn is not its to take (it then goes on to the parent).
    bool OnWheel(int delta);

private:
    QPointer<QWidget> m_client;
    QPointer<QScrollBar> m_bar;
    ScrollBarState m_state;
    bool m_syncing = false;
};
