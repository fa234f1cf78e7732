#pragma once

#include <QObject>

// The application-wide key filter: offers every key pressed in one of the
// program's windows to the application object's ProcessMessageFilter before
// the focused control (or any Qt shortcut) sees it. It lives as a child of
// the QApplication, so it goes with it.
class AppKeyFilter : public QObject {
public:
    // Installs the filter once per QApplication; does nothing without one.
    static void Install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit AppKeyFilter(QObject* parent) : QObject(parent) {}
};
