#pragma once

#include "platform/windows/NativeWindow.h"

class QPushButton;

// A "BUTTON" window: a push button whose click sends BN_CLICKED to its parent.
class NativeButton : public NativeWindow {
public:
    NativeButton(CWnd* owner, DWORD style, DWORD exStyle, UINT id, QWidget* parent);
    ~NativeButton() override;

    void SetText(const std::string& text) override;
    bool IsDefault() const;

private:
    QPushButton* Button() const;
};
