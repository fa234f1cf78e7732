#include "platform/windows/NativeStatic.h"

#include <QLabel>
#include <QPixmap>

#include "platform/win32/WinConstants.h"
#include "platform/windows/NativeIcon.h"
#include "platform/windows/WindowText.h"

NativeStatic::NativeStatic(CWnd* owner, DWORD style, DWORD exStyle, UINT id, QWidget* parent)
    : NativeWindow(owner, style, exStyle, id) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    const DWORD kind = style & 0x1F;
    if (kind == SS_CENTER)
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    else if (kind == SS_RIGHT)
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    else
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(kind != SS_BITMAP && kind != SS_ICON);
    SetWidget(label);
}

NativeStatic::~NativeStatic() = default;

QLabel* NativeStatic::Label() const {
    return static_cast<QLabel*>(Widget());
}

void NativeStatic::SetText(const std::string& text) {
    NativeWindow::SetText(text);
    if (Label() != nullptr) {
        Label()->setText(WindowText::ForDisplay(text));
    }
}

void NativeStatic::SetImage(const BitmapImage& image) {
    if (Label() != nullptr) Label()->setPixmap(QPixmap::fromImage(NativeIcon::ToQImage(image)));
}
