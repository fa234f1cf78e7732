#include "table/HexText.h"

#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <vector>

// Every byte against the C library's "%02X", alone, appended and in a run.
TEST(HexTextTest, EveryByteIsTwoUpperCaseDigitsAndRunsAreSpacedPairs) {
    std::vector<uint8_t> all;
    std::string expected;
    for (int b = 0; b < 256; ++b) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", b);
        const auto byte = static_cast<uint8_t>(b);
        std::string appended = "%";
        HexText::AppendByte(appended, byte);
        EXPECT_EQ(appended, std::string("%") + two);
        EXPECT_EQ(HexText::Bytes({&byte, 1}), two);
        expected += (b == 0 ? "" : " ") + std::string(two);
        all.push_back(byte);
    }
    EXPECT_EQ(HexText::Bytes(all), expected);
    EXPECT_EQ(HexText::Bytes({}), "");

    // The writer stops exactly at its end and touches nothing past it.
    std::string buffer(12, '#');
    const uint8_t run[] = {0x0A, 0xFF, 0x10};
    EXPECT_EQ(HexText::WriteBytes(buffer.data(), run), buffer.data() + 8);
    EXPECT_EQ(buffer, "0A FF 10####");
    EXPECT_EQ(HexText::Digit(0x12345678ABCDEFull), 'F') << "only the low four bits count";
}

TEST(HexText, NumbersHaveNoLeadingZerosAndPaddedOnesExactlyTheirDigits) {
    EXPECT_EQ(HexText::Number(0), "0x0");
    EXPECT_EQ(HexText::Number(0x454F46), "0x454F46");
    EXPECT_EQ(HexText::Number(UINT64_MAX), "0xFFFFFFFFFFFFFFFF");
    EXPECT_EQ(HexText::Padded(0x40, 8), "00000040");
    EXPECT_EQ(HexText::Padded(0xCBF43926, 8), "CBF43926");
    EXPECT_EQ(HexText::Padded(0x12345, 4), "2345") << "the low digits, as a field of that width holds";
}
