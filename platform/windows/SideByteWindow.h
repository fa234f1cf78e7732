#pragma once

#include <QPointer>

#include "platform/windows/ByteGridModel.h"
#include "platform/windows/WindowHandle.h"

class ByteGridCanvas;
class PlacementMemory;
class QWidget;
class SideWindowFrame;

// The read-only bytes window beside the dialog: the model's content on a
// canvas that scrolls when it does not fit. The widgets may go with the
// owner's before this object; every call is then a no-op.
class SideByteWindow : public ByteGridView {
public:
    SideByteWindow(ByteGridModel& model, QWidget* owner, PlacementMemory* placement = nullptr);
    ~SideByteWindow() override;
    SideByteWindow(const SideByteWindow&) = delete;
    SideByteWindow& operator=(const SideByteWindow&) = delete;

    // In front, without taking the focus from the form, where the editing
    // goes on.
    void Show() override;
    bool IsVisible() const override;
    void TitleChanged() override;
    int Message(const std::string& text, const std::string& caption, UINT type) override;
    void ContentChanged() override;

private:
    ByteGridModel& m_model;
    QPointer<SideWindowFrame> m_frame;
    WindowHandle m_handle;
    QPointer<ByteGridCanvas> m_canvas;
};
