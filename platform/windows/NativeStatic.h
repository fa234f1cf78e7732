#pragma once

#include "platform/windows/NativeWindow.h"

class BitmapImage;
class QLabel;

// A "STATIC" window: plain text (never rich text, whatever the bytes say)
// or a picture.
class NativeStatic : public NativeWindow {
public:
    NativeStatic(CWnd* owner, DWORD style, DWORD exStyle, UINT id, QWidget* parent);
    ~NativeStatic() override;

    void SetText(const std::string& text) override;
    void SetImage(const BitmapImage& image);

private:
    QLabel* Label() const;
};
