#pragma once

#include <QPointer>

#include "platform/windows/NativeWindow.h"

struct ByteGridContent;
class QWidget;

// The layer's side of a CByteGrid: a scrolling top-level window whose
// canvas paints the grid's content.
class NativeByteGrid : public NativeWindow {
public:
    // content stays owned by the CByteGrid and outlives this object.
    NativeByteGrid(CWnd* owner, const ByteGridContent& content, QWidget* ownerWindow);
    ~NativeByteGrid() override;

    // Sizes the canvas to the content and repaints it.
    void ContentChanged();

private:
    QPointer<QWidget> m_canvas;
};
