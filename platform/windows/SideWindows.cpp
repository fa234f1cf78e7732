#include "platform/windows/SideWindows.h"

#include "platform/windows/CWnd.h"
#include "platform/windows/NativeWindow.h"
#include "platform/windows/SideByteWindow.h"
#include "platform/windows/SideTableWindow.h"

namespace {

QWidget* OwnerWidget(CWnd& owner) {
    HWND hwnd = owner.GetSafeHwnd();
    return NativeWindow::IsLive(hwnd) ? hwnd->Widget()->window() : nullptr;
}

} // namespace

std::unique_ptr<TableWindowView> MakeTableWindow(TableWindowModel& model, CWnd& owner,
                                                 const std::vector<ACCEL>& keys, PlacementMemory* placement) {
    return std::make_unique<SideTableWindow>(model, OwnerWidget(owner), keys, placement);
}

std::unique_ptr<ByteGridView> MakeByteGridWindow(ByteGridModel& model, CWnd& owner,
                                                 PlacementMemory* placement) {
    return std::make_unique<SideByteWindow>(model, OwnerWidget(owner), placement);
}
