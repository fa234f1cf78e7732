#include <gtest/gtest.h>
#include <optional>
#include <string>

#include "cli/CStrictNumber.h"

TEST(StrictNumber, ReadsTheThreeNotationsWhole) {
    EXPECT_EQ(std::optional<uint32_t>(23), CStrictNumber::Parse("23"));
    EXPECT_EQ(std::optional<uint32_t>(16), CStrictNumber::Parse("0x10"));
    EXPECT_EQ(std::optional<uint32_t>(0xABCD), CStrictNumber::Parse("0XabCD"));
    EXPECT_EQ(std::optional<uint32_t>(8), CStrictNumber::Parse("010"));
    EXPECT_EQ(std::optional<uint32_t>(0), CStrictNumber::Parse("0"));
    EXPECT_EQ(std::optional<uint32_t>(4294967295u), CStrictNumber::Parse("4294967295"));
}

// Each of these would read as some number under the module files' lenient
// rule, and so name an entry the user never meant.
TEST(StrictNumber, RefusesWhatTheLenientRuleWouldGuess) {
    for (const std::string text :
         {"", " 1", "1 ", "+1", "-1", "3x", "08", "0x", "0xG", "abc", "4294967296", "0x100000000", "1.0"})
        EXPECT_EQ(std::nullopt, CStrictNumber::Parse(text)) << '"' << text << '"';
}
