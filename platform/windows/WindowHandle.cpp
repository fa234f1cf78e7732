#include "platform/windows/WindowHandle.h"

#include <memory>

#include "platform/windows/NativeWindow.h"

namespace {

class AdoptedWindow : public NativeWindow {
public:
    AdoptedWindow(CWnd* owner, QWidget* widget) : NativeWindow(owner, 0, 0, 0) { SetWidget(widget); }
};

} // namespace

WindowHandle::WindowHandle(QWidget* widget) {
    AdoptNative(std::make_unique<AdoptedWindow>(this, widget));
}
