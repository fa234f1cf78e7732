#pragma once

#include <memory>
#include <vector>

#include "platform/win32/WinTypes.h"
#include "platform/windows/ByteGridModel.h"
#include "platform/windows/TableWindowModel.h"

class CWnd;
class PlacementMemory;

// The layer's widgets for the windows beside the editor's dialog. Each
// lives with `owner` (the dialog): it stays above it and takes input while
// the dialog's modal loop runs. It is created hidden; `keys` (accelerator
// entries) reach the model's OnCommand while the window has the focus.
// The model outlives the widget.
// With `placement`, each window opens where it last was (on a screen that
// shows it) and is remembered there when it closes or goes; it must outlive
// the window.
std::unique_ptr<TableWindowView> MakeTableWindow(TableWindowModel& model, CWnd& owner,
                                                 const std::vector<ACCEL>& keys,
                                                 PlacementMemory* placement = nullptr);
std::unique_ptr<ByteGridView> MakeByteGridWindow(ByteGridModel& model, CWnd& owner,
                                                 PlacementMemory* placement = nullptr);
