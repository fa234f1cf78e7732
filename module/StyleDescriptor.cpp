#include "module/StyleDescriptor.h"

#include "table/ElementStyle.h"

uint8_t StyleDescriptor::Bits(std::string_view line) {
    uint8_t style = 0;
    if (line.size() < minLength) return style;
    if (line[0] == 'T' || line[0] == 't') style |= STYLE_TEXT;
    if (line[0] == 'H' || line[0] == 'h') style |= STYLE_HEXARRAY;
    if (line[1] == 'D' || line[1] == 'd') style |= STYLE_DROPBOX;
    if (line[2] == 'H' || line[2] == 'h') style |= STYLE_HEX;
    if (line[3] == 'S' || line[3] == 's') style |= STYLE_SIGNED;
    // Case matters here only: "B" also makes the number signed.
    if (line[3] == 'b') style |= STYLE_BISCUIT;
    if (line[3] == 'B') style |= STYLE_BISCUIT | STYLE_SIGNED;
    return style;
}

bool StyleDescriptor::Contradictory(uint8_t style) {
    return (style & STYLE_DROPBOX) && (style & (STYLE_TEXT | STYLE_HEXARRAY | STYLE_SIGNED));
}

bool StyleDescriptor::TooWideForNumber(uint8_t style, uint32_t size) {
    return !(style & (STYLE_TEXT | STYLE_HEXARRAY)) && size > 4;
}
