#include "platform/windows/BitmapImage.h"

#include <QImage>

BitmapImage::BitmapImage(int width, int height, std::vector<std::uint32_t> argb)
    : m_width(width), m_height(height), m_argb(std::move(argb)) {
    // A pixel array that does not match the size would be read out of
    // bounds later; such an image is empty instead.
    if (width <= 0 || height <= 0 ||
        m_argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        m_width = 0;
        m_height = 0;
        m_argb.clear();
    }
}

BitmapImage BitmapImage::FromEncoded(const unsigned char* data, std::size_t size) {
    QImage image;
    if (data == nullptr || size == 0 || !image.loadFromData(data, static_cast<int>(size))) return {};
    image = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        pixels.insert(pixels.end(), line, line + image.width());
    }
    return BitmapImage(image.width(), image.height(), std::move(pixels));
}

std::uint32_t BitmapImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    return m_argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                  static_cast<std::size_t>(x)];
}
