#pragma once

#include <cstdint>
#include <span>
#include <string>

// Bytes as upper-case hexadecimal, the way every hex number and byte dump of
// the program reads. The writers fill caller-owned buffers so the table and
// the entry labels, which format millions of these, allocate nothing.
class HexText {
public:
    // The digit of the value's low four bits.
    static constexpr char Digit(uint64_t value) { return kDigits[value & 0xF]; }
    // Two digits ("0A").
    static void AppendByte(std::string& text, uint8_t byte);
    // Spaced pairs ("0A FF 10") at `at`, 3 characters a byte less the last
    // space; returns the end.
    static char* WriteBytes(char* at, std::span<const uint8_t> bytes);
    static std::string Bytes(std::span<const uint8_t> bytes);
    // "0x1F": the value's digits after "0x", no leading zeros ("0x0").
    static std::string Number(uint64_t value);
    // Exactly `digits` digits, zero-filled, no prefix ("00000040").
    static std::string Padded(uint64_t value, int digits);

private:
    static constexpr char kDigits[] = "0123456789ABCDEF";
};
