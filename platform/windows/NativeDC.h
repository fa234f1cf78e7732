#pragma once

#include <QPainter>

#include "platform/windows/CDC.h"

// What an HDC points to while a window paints: the painter of the paint
// event and the CDC that wraps it.
class NativeDC {
public:
    explicit NativeDC(QPainter& painter) : m_painter(painter), m_dc(this) {}
    NativeDC(const NativeDC&) = delete;
    NativeDC& operator=(const NativeDC&) = delete;

    QPainter& Painter() { return m_painter; }
    CDC* Dc() { return &m_dc; }
    HDC Handle() { return this; }

private:
    QPainter& m_painter;
    CDC m_dc;
};
