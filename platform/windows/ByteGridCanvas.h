#pragma once

#include <string>

#include <QColor>
#include <QSize>
#include <QWidget>

class ByteGridModel;

// Paints the model's ByteGridContent in a fixed-pitch font: heading, rows
// of tinted hex and character cells with outlines around framed runs, a
// legend and notes; hovering a cell shows its tip. It reads the content at
// every paint and keeps none of it.
class ByteGridCanvas : public QWidget {
public:
    ByteGridCanvas(const ByteGridModel& model, QWidget* parent);

    // What the whole content needs.
    QSize ContentSize() const;
    // Pale colours that keep neighbouring indexes apart; repeats after
    // kTints; white for -1.
    static constexpr int kTints = 12;
    static QColor TintColor(int tint);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    const std::string* TipAt(const QPoint& pos) const;

    const ByteGridModel& m_model;
};
