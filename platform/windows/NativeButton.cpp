#include "platform/windows/NativeButton.h"

#include <QPushButton>

#include "platform/win32/WinConstants.h"
#include "platform/windows/WindowText.h"

NativeButton::NativeButton(CWnd* owner, DWORD style, DWORD exStyle, UINT id, QWidget* parent)
    : NativeWindow(owner, style, exStyle, id) {
    auto* button = new QPushButton(parent);
    // Enter is the dialog's business (and the accelerators'), not Qt's.
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { NotifyParent(BN_CLICKED); });
    SetWidget(button);
}

NativeButton::~NativeButton() = default;

QPushButton* NativeButton::Button() const {
    return static_cast<QPushButton*>(Widget());
}

void NativeButton::SetText(const std::string& text) {
    NativeWindow::SetText(text);
    if (Button() != nullptr) {
        Button()->setText(WindowText::ForDisplay(text));
    }
}

bool NativeButton::IsDefault() const {
    return (Style() & 0x0F) == BS_DEFPUSHBUTTON;
}
