#include "platform/windows/NativeIcon.h"

#include <memory>
#include <vector>

#include <QImage>
#include <QPixmap>

namespace {
// Icons last as long as the program, like icons loaded from resources.
std::vector<std::unique_ptr<NativeIcon>>& Icons() {
    static std::vector<std::unique_ptr<NativeIcon>> icons;
    return icons;
}
} // namespace

bool NativeIcon::IsLive(const NativeIcon* icon) {
    if (icon == nullptr) return false;
    for (const auto& p : Icons())
        if (p.get() == icon) return true;
    return false;
}

QImage NativeIcon::ToQImage(const BitmapImage& image) {
    if (image.IsNull()) return {};
    QImage out(image.Width(), image.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < image.Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.Width(); ++x)
            line[x] = image.Pixel(x, y);
    }
    return out;
}

QIcon NativeIcon::ToQIcon() const {
    return QIcon(QPixmap::fromImage(ToQImage(m_image)));
}

HICON LoadIcon(const BitmapImage& image) {
    if (image.IsNull()) return nullptr;
    Icons().push_back(std::make_unique<NativeIcon>(image));
    return Icons().back().get();
}

BitmapImage GetIconImage(HICON hIcon) {
    if (!NativeIcon::IsLive(hIcon)) return {};
    return hIcon->Image();
}
