#include "platform/windows/NativeFrame.h"

#include <QCloseEvent>
#include <QResizeEvent>

#include "platform/win32/WinConstants.h"

namespace {

class FrameWidget : public QWidget {
public:
    FrameWidget() : QWidget(nullptr, Qt::Window) {}

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (NativeWindow* native = NativeWindow::FromWidget(this))
            native->Send(
                    WM_SIZE, SIZE_RESTORED,
                    MAKELPARAM(static_cast<WORD>(e->size().width()), static_cast<WORD>(e->size().height())));
    }
    void closeEvent(QCloseEvent* e) override {
        // Closing is the program's decision, as with a dialog.
        e->ignore();
        if (NativeWindow* native = NativeWindow::FromWidget(this)) native->Send(WM_CLOSE, 0, 0);
    }
};

} // namespace

NativeFrame::NativeFrame(CWnd* owner) : NativeWindow(owner, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, 0) {
    SetWidget(new FrameWidget());
}

NativeFrame::~NativeFrame() = default;

void NativeFrame::Activate() {
    QWidget* widget = Widget();
    if (widget == nullptr) return;
    widget->show();
    widget->raise();
    widget->activateWindow();
}
