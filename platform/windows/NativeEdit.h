#pragma once

#include "platform/windows/NativeWindow.h"

class QLineEdit;
#include "platform/windows/EditLimitValidator.h"

// An "EDIT" window: a single-line QLineEdit holding one character per byte.
class NativeEdit : public NativeWindow {
public:
    NativeEdit(CWnd* owner, DWORD style, DWORD exStyle, UINT id, QWidget* parent);
    ~NativeEdit() override;

    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) override;
    void SetText(const std::string& text) override;
    std::string Text() const override;

    // Win32 reports this when no limit was set.
    static constexpr UINT kNoLimit = 0x7FFFFFFE;

private:
    QLineEdit* Edit() const;
    QPointer<EditLimitValidator> m_validator;
};
