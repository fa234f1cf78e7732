#pragma once

#include <QIcon>

#include "platform/windows/BitmapImage.h"

// What an HICON points to: the picture, turned into a QIcon on demand so no
// Qt object outlives the application in a static.
class NativeIcon {
public:
    explicit NativeIcon(BitmapImage image) : m_image(std::move(image)) {}
    static bool IsLive(const NativeIcon* icon);
    const BitmapImage& Image() const { return m_image; }
    QIcon ToQIcon() const;
    static QImage ToQImage(const BitmapImage& image);

private:
    BitmapImage m_image;
};
