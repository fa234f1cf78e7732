#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win32/WinTypes.h"

// A picture held as 32-bit ARGB pixels, row by row from the top: the form in
// which resources (the program icon, the about picture) reach the layer.
class BitmapImage {
public:
    BitmapImage() = default;
    BitmapImage(int width, int height, std::vector<std::uint32_t> argb);

    // Decodes PNG (or any format the toolkit reads) bytes, e.g. a picture
    // compiled into the program; an empty image when they do not decode.
    static BitmapImage FromEncoded(const unsigned char* data, std::size_t size);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsNull() const { return m_width <= 0 || m_height <= 0; }
    const std::vector<std::uint32_t>& Pixels() const { return m_argb; }
    std::uint32_t Pixel(int x, int y) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_argb;
};

// Icons live as long as the program, like icons loaded from resources; the
// same image loaded twice gives two handles. Null for an empty image.
HICON LoadIcon(const BitmapImage& image);
// The picture behind an icon handle, for checks; empty for an unknown handle.
BitmapImage GetIconImage(HICON hIcon);
