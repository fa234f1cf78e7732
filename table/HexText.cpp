#include "table/HexText.h"

void HexText::AppendByte(std::string& text, uint8_t byte) {
    text += Digit(byte >> 4);
    text += Digit(byte);
}

char* HexText::WriteBytes(char* at, std::span<const uint8_t> bytes) {
    for (size_t k = 0; k < bytes.size(); ++k) {
        if (k != 0) *at++ = ' ';
        *at++ = Digit(bytes[k] >> 4);
        *at++ = Digit(bytes[k]);
    }
    return at;
}

std::string HexText::Bytes(std::span<const uint8_t> bytes) {
    std::string text(bytes.empty() ? 0 : bytes.size() * 3 - 1, ' ');
    WriteBytes(text.data(), bytes);
    return text;
}

std::string HexText::Padded(uint64_t value, int digits) {
    std::string text(static_cast<size_t>(digits), '0');
    for (auto at = text.rbegin(); at != text.rend(); ++at, value >>= 4)
        *at = Digit(value);
    return text;
}

std::string HexText::Number(uint64_t value) {
    int digits = 1;
    while (digits < 16 && (value >> (4 * digits)) != 0)
        ++digits;
    return "0x" + Padded(value, digits);
}
