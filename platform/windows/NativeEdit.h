#pragma once

#include <optional>
#include <string>

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
    void CameIntoView() override;

    // Win32 reports this when no limit was set.
    static constexpr UINT kNoLimit = 0x7FFFFFFE;

private:
    QLineEdit* Edit() const;
    void ApplyPending();
    QPointer<EditLimitValidator> m_validator;
    // A text set while the box is out of its parent's view: laying it out
    // would cost as much as showing it, so the box takes it once it is back.
    std::optional<std::string> m_pending;
};
