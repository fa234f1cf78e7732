#pragma once

#include <functional>
#include <vector>

#include "platform/windows/CDialog.h"
#include "platform/windows/DialogTemplate.h"
#include "platform/windows/MenuTemplate.h"

// A dialog that records every command reaching it, for the platform tests,
// built on a small template shaped like the editor's: a menu bar with
// enabled, grayed and checkable items, a disabled drop-down list and an edit
// box.
class RecordingDialog : public CDialog {
public:
    static constexpr UINT kOpen = 40001;
    static constexpr UINT kSave = 40011;
    static constexpr UINT kApply = 40003;
    static constexpr UINT kAssociate = 40012;
    static constexpr UINT kCombo = 1000;
    static constexpr UINT kEdit = 1100;

    explicit RecordingDialog(const DialogTemplate* tmpl = &Template(), CWnd* parent = nullptr)
        : CDialog(tmpl, parent) {}
    static const DialogTemplate& Template();
    static const MenuTemplate& Menu();

    struct Command {
        UINT id;
        WORD code;
        LPARAM source;
    };
    std::vector<Command> commands;
    int cancels = 0;
    int oks = 0;
    int inits = 0;
    bool endOnCancel = true;
    std::function<void(RecordingDialog&)> onInit;

    bool Received(UINT id) const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;
    void OnOK() override;
};
