#include "document/StrictNumber.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

TEST(StrictNumber, ReadsTheThreeNotationsWhole) {
    EXPECT_EQ(std::optional<uint32_t>(23), StrictNumber::Parse("23"));
    EXPECT_EQ(std::optional<uint32_t>(16), StrictNumber::Parse("0x10"));
    EXPECT_EQ(std::optional<uint32_t>(0xABCD), StrictNumber::Parse("0XabCD"));
    EXPECT_EQ(std::optional<uint32_t>(8), StrictNumber::Parse("010"));
    EXPECT_EQ(std::optional<uint32_t>(0), StrictNumber::Parse("0"));
    EXPECT_EQ(std::optional<uint32_t>(4294967295u), StrictNumber::Parse("4294967295"));
    EXPECT_EQ(std::optional<uint32_t>(4294967295u), StrictNumber::Parse("0xFFFFFFFF"));
    EXPECT_EQ(std::optional<uint32_t>(4294967295u), StrictNumber::Parse("037777777777"));
    EXPECT_EQ(std::optional<uint32_t>(7), StrictNumber::Parse("0x0000000000000007"));
}

// Each of these would read as some number under the module files' lenient
// rule, and so name an entry the user never meant.
TEST(StrictNumber, RefusesWhatTheLenientRuleWouldGuess) {
    for (const std::string text :
         {"", " 1", "1 ", "+1", "-1", "3x", "08", "0x", "0xG", "abc", "4294967296", "0x100000000", "1.0",
          "040000000000", "42949672950", "99999999999999999999999", "0x1g", "0779", "12a"})
        EXPECT_EQ(std::nullopt, StrictNumber::Parse(text)) << '"' << text << '"';
}
