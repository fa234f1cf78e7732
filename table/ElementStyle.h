#pragma once

#include <cstdint>

// Bits of ModuleElement::style.
enum ElementStyle : uint8_t {
    STYLE_TEXT = 0x01,
    STYLE_DROPBOX = 0x02,
    STYLE_HEX = 0x04,
    STYLE_SIGNED = 0x08,
    STYLE_HEXARRAY = 0x10,
    STYLE_BISCUIT = 0x20,
};
