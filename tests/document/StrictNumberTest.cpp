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
}

// Each of these would read as some number under the module files' lenient
// rule, and so name an entry the user never meant.
TEST(StrictNumber, RefusesWhatTheLenientRuleWouldGuess) {
    for (const std::string text :
         {"", " 1", "1 ", "+1", "-1", "3x", "08", "0x", "0xG", "abc", "4294967296", "0x100000000", "1.0"})
        EXPECT_EQ(std::nullopt, StrictNumber::Parse(text)) << '"' << text << '"';
}
