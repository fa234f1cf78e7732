#pragma once

#include <functional>
#include <vector>

#include <QWidget>

#include "platform/win32/WinTypes.h"

class PlacementMemory;
class WindowModel;

// The top-level widget of a window beside the editor's dialog. Its parent
// is the dialog's widget: Qt keeps it above the dialog and, while the
// dialog's modal loop runs, still lets the user reach it (a window whose
// parent chain leads to the modal one is not blocked). The close box and
// Escape only hide it, so it opens again as it was; the model hears of it.
// With a placement memory it opens the first time where it was when it last
// closed or went, in this run or an earlier one.
class SideWindowFrame : public QWidget {
public:
    SideWindowFrame(QWidget* owner, WindowModel& model, const char* name,
                    PlacementMemory* placement = nullptr);
    ~SideWindowFrame() override;
    SideWindowFrame(const SideWindowFrame&) = delete;
    SideWindowFrame& operator=(const SideWindowFrame&) = delete;

    // Each key (an accelerator entry) sends its command to the model while
    // this window is active, unless `keysTaken` says a control is busy with
    // keys of its own. A focused edit box keeps the keys it uses itself
    // (Ctrl+Z) without asking.
    void AddCommandKeys(const std::vector<ACCEL>& keys, std::function<bool()> keysTaken);
    // Shows the window in front; the first time beside its owner.
    void Present(bool activate);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PlaceBesideOwner();
    // False when nothing was remembered or it no longer restores.
    bool PlaceAsRemembered();
    void RememberPlacement();

    WindowModel& m_model;
    PlacementMemory* m_placement;
    bool m_placed = false;
};
