#pragma once

#include <string>
#include <string_view>

#include <QString>

// Conversions between the program's byte strings and what Qt displays.
class WindowText {
public:
    // Captions, labels and list items: UTF-8 when the bytes are valid UTF-8,
    // otherwise one character per byte, so no byte is ever lost or replaced.
    static QString ForDisplay(std::string_view bytes);
    // Edit boxes: always one character per byte.
    static QString FromLatin1(std::string_view bytes);
    // Characters above U+00FF become '?', as an ANSI edit box would store them.
    static std::string ToLatin1(const QString& text);
    static bool IsValidUtf8(std::string_view bytes);
};
