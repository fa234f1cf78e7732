// The table's row order and filter: numbers as numbers, case ignored,
// stable sorts, the row of an entry after filtering and sorting.
#include "ui/model/TableRows.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct CompareRow {
    const char* a;
    const char* b;
    int sign;
};

class CompareCellsTest : public ::testing::TestWithParam<CompareRow> {};

TEST_P(CompareCellsTest, OrdersBothWays) {
    const CompareRow& row = GetParam();
    const auto sign = [](int v) {
        return (v > 0) - (v < 0);
    };
    EXPECT_EQ(sign(TableRows::CompareCells(row.a, row.b)), row.sign);
    EXPECT_EQ(sign(TableRows::CompareCells(row.b, row.a)), -row.sign);
}

INSTANTIATE_TEST_SUITE_P(Cells, CompareCellsTest,
                         ::testing::Values(CompareRow{"9", "10", -1}, CompareRow{"-3", "2", -1},
                                           CompareRow{"-10", "-9", -1}, CompareRow{"0x0A", "9", 1},
                                           CompareRow{"0x0A", "10", 0},
                                           CompareRow{"10 - Cave", "9 - Marsh", 1},
                                           CompareRow{"2 - b", "2 - A", 1}, CompareRow{"abc", "ABD", -1},
                                           CompareRow{"Abc", "abc", 0}, CompareRow{"4294967295", "abc", -1},
                                           CompareRow{"99999999999", "5", 1}, CompareRow{"", "0", 1},
                                           CompareRow{"-", "0", 1}, CompareRow{"0A 0B", "0A 0C", -1}));

TEST(TableRowsTest, ContainsIgnoresCaseOfLettersOnly) {
    EXPECT_TRUE(TableRows::ContainsNoCase("Quill hog", "QUILL H"));
    EXPECT_TRUE(TableRows::ContainsNoCase("anything", ""));
    EXPECT_FALSE(TableRows::ContainsNoCase("Quill", "quilll"));
    EXPECT_FALSE(TableRows::ContainsNoCase("\xE9t\xE9", "\xC9T\xC9"));
    EXPECT_TRUE(TableRows::ContainsNoCase("0x1F", "1f"));
}

TEST(TableRowsTest, FilterThenStableSortKeepsTheRowOfEveryEntry) {
    const std::vector<std::string> text = {"b", "3", "a", "10", "B", "3", "x"};
    TableRows rows;
    rows.ShowMatching(7, [&](int e) { return text[static_cast<size_t>(e)] != "x"; });
    EXPECT_EQ(rows.RowOf(6), -1);
    rows.Sort([&](int e) { return text[static_cast<size_t>(e)]; }, true);
    std::vector<int> order;
    for (int r = 0; r < rows.Count(); ++r) {
        order.push_back(rows.EntryAt(r));
        EXPECT_EQ(rows.RowOf(rows.EntryAt(r)), r);
    }
    EXPECT_EQ(order, (std::vector<int>{1, 5, 3, 2, 0, 4}));
    rows.Sort([&](int e) { return text[static_cast<size_t>(e)]; }, false);
    order.clear();
    for (int r = 0; r < rows.Count(); ++r)
        order.push_back(rows.EntryAt(r));
    EXPECT_EQ(order, (std::vector<int>{0, 4, 2, 3, 1, 5}));
    rows.ShowAll(3);
    EXPECT_EQ(rows.RowOf(2), 2);
    EXPECT_EQ(rows.RowOf(3), -1);
}

} // namespace
