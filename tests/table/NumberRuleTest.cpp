#include "table/NumberRule.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    int base;
    uint32_t value;
    bool negative;
    bool overflow;
};

class NumberRuleTest : public testing::TestWithParam<Case> {};

} // namespace

TEST_P(NumberRuleTest, ReadsLikeStrtoul) {
    const Case& c = GetParam();
    NumberRule::Result r = NumberRule::Parse(c.text, c.base);
    EXPECT_EQ(r.value, c.value) << '"' << c.text << '"';
    EXPECT_EQ(r.negative, c.negative) << '"' << c.text << '"';
    EXPECT_EQ(r.overflow, c.overflow) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(AutomaticBase, NumberRuleTest,
                         testing::Values(Case{"16", 0, 16, false, false}, Case{"0x10", 0, 16, false, false},
                                         Case{"0X1f", 0, 31, false, false}, Case{"020", 0, 16, false, false},
                                         Case{"08", 0, 0, false, false}, Case{"010", 0, 8, false, false},
                                         Case{"", 0, 0, false, false}, Case{"abc", 0, 0, false, false},
                                         Case{"1F", 0, 1, false, false},
                                         Case{" \t\v\f\r\n42 apples", 0, 42, false, false},
                                         Case{"+7", 0, 7, false, false}, Case{"- 7", 0, 0, false, false},
                                         Case{"0x", 0, 0, false, false}, Case{"0xg", 0, 0, false, false},
                                         Case{"-2", 0, 0xFFFFFFFEu, true, false},
                                         Case{"-0", 0, 0, true, false},
                                         Case{"-4294967295", 0, 1, true, false},
                                         Case{"4294967295", 0, 0xFFFFFFFFu, false, false},
                                         Case{"4294967296", 0, 0xFFFFFFFFu, false, true},
                                         Case{"-4294967296", 0, 0xFFFFFFFFu, true, true},
                                         Case{"99999999999999999999999", 0, 0xFFFFFFFFu, false, true},
                                         Case{"0x100000000", 0, 0xFFFFFFFFu, false, true}));

INSTANTIATE_TEST_SUITE_P(Hexadecimal, NumberRuleTest,
                         testing::Values(Case{"ab", 16, 0xAB, false, false},
                                         Case{"AB", 16, 0xAB, false, false}, Case{"0x4", 16, 4, false, false},
                                         Case{"0x", 16, 0, false, false}, Case{" f", 16, 15, false, false},
                                         Case{"zz", 16, 0, false, false},
                                         Case{"-1", 16, 0xFFFFFFFFu, true, false},
                                         Case{"0G", 16, 0, false, false}, Case{"010", 16, 16, false, false}));
