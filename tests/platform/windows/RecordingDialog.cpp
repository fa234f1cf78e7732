#include "RecordingDialog.h"

#include <algorithm>

const MenuTemplate& RecordingDialog::Menu() {
    static const MenuTemplate menu{{
            {"&File",
             0,
             MF_POPUP,
             {{"&Open Rom...\tCtrl+O", kOpen, 0, {}},
              {"&Save Rom\tCtrl+S", kSave, MF_GRAYED, {}},
              {"", 0, MF_SEPARATOR, {}},
              {"&Apply Changes\tEnter", kApply, MF_GRAYED, {}},
              {"", 0, MF_SEPARATOR, {}},
              {"E&xit", IDCANCEL, 0, {}}}},
            {"&Modules", 0, MF_POPUP, {{"&Associate .qlm Files", kAssociate, 0, {}}}},
    }};
    return menu;
}

const DialogTemplate& RecordingDialog::Template() {
    static const DialogTemplate tmpl = [] {
        DialogTemplate t;
        t.style = 0x90CA00C4;
        t.cx = 327;
        t.cy = 298;
        t.menu = &Menu();
        t.caption = "Quillmoor - No file open";
        t.pointSize = 8;
        t.typeface = "MS Sans Serif";
        t.items.push_back({"COMBOBOX", "", kCombo, 0x58210003, 0, 7, 7, 313, 15, nullptr});
        t.items.push_back({"EDIT", "", kEdit, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                           WS_EX_CLIENTEDGE, 7, 30, 100, 12, nullptr});
        return t;
    }();
    return tmpl;
}

bool RecordingDialog::Received(UINT id) const {
    return std::any_of(commands.begin(), commands.end(), [id](const Command& c) { return c.id == id; });
}

BOOL RecordingDialog::OnInitDialog() {
    ++inits;
    if (onInit) onInit(*this);
    return CDialog::OnInitDialog();
}

BOOL RecordingDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    commands.push_back({LOWORD(wParam), HIWORD(wParam), lParam});
    return CDialog::OnCommand(wParam, lParam);
}

void RecordingDialog::OnCancel() {
    ++cancels;
    if (endOnCancel) CDialog::OnCancel();
}

void RecordingDialog::OnOK() {
    ++oks;
    CDialog::OnOK();
}
