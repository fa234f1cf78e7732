#include "platform/windows/NativeFrame.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QResizeEvent>
#include <QShortcut>

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

// Letters and digits only: their virtual-key codes are Qt's key codes.
QKeySequence SequenceOf(const ACCEL& key) {
    Qt::KeyboardModifiers modifiers;
    if (key.fVirt & FCONTROL) modifiers |= Qt::ControlModifier;
    if (key.fVirt & FSHIFT) modifiers |= Qt::ShiftModifier;
    if (key.fVirt & FALT) modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key.key)));
}

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

void NativeFrame::AddCommandKey(const ACCEL& key) {
    QWidget* widget = Widget();
    if (widget == nullptr) return;
    // The shortcut belongs to the widget and goes with it.
    auto* shortcut = new QShortcut(SequenceOf(key), widget);
    shortcut->setContext(Qt::WindowShortcut);
    const WORD id = key.cmd;
    QObject::connect(shortcut, &QShortcut::activated, widget,
                     [this, id] { Send(WM_COMMAND, MAKEWPARAM(id, 1), 0); });
}
