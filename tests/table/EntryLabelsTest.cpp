#include "table/EntryLabels.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The label format written the slow, obvious way, as the oracle.
std::string Reference(size_t index, const std::string* name = nullptr) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%02zX", index);
    return name != nullptr ? text + (" - " + *name) : std::string(text);
}

} // namespace

TEST(EntryLabelsTest, BareAndNamedLabelsMixedUpToThreeDigits) {
    EntryLabels labels;
    std::vector<std::string> expected;
    for (size_t i = 0; i <= 0x12B; ++i) {
        if (i % 3 == 1 || i == 0xFF || i == 0x100) {
            const std::string name = "Name " + std::to_string(i);
            labels.AppendNamed(name);
            expected.push_back(Reference(i, &name));
        } else {
            labels.AppendBare();
            expected.push_back(Reference(i));
        }
    }
    ASSERT_EQ(labels.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(labels[i], expected[i]) << i;
    EXPECT_EQ(labels.back(), "0x12B");
    const std::vector<std::string_view> views = labels.Views();
    EXPECT_EQ(std::vector<std::string>(views.begin(), views.end()), expected);
}

TEST(EntryLabelsTest, BareLengthMatchesTheFormatAtEveryDigitBoundary) {
    for (size_t index : {size_t{0}, size_t{0xFF}, size_t{0x100}, size_t{0xFFF}, size_t{0x1000},
                         size_t{0xFFFFF}, size_t{0x100000}, size_t{0xFFFFFFFF}, ~size_t{0}})
        EXPECT_EQ(EntryLabels::BareLength(index), Reference(index).size()) << index;
}

TEST(EntryLabelsTest, NamesKeepEveryByteBeforeTheirFirstNul) {
    EntryLabels labels;
    const std::string odd("\xff\r b \x01", 6);
    labels.AppendNamed(odd);
    labels.AppendNamed(std::string("a\0hidden\0", 10));
    labels.AppendNamed(std::string("\0all hidden", 11));
    labels.AppendNamed("");
    labels.push_back("");
    labels.push_back("Entry 5");
    labels.AppendBare();
    ASSERT_EQ(labels.size(), 7u);
    EXPECT_EQ(labels[0], "0x00 - " + odd);
    EXPECT_EQ(labels[1], "0x01 - a");
    EXPECT_EQ(labels[2], "0x02 - ");
    EXPECT_EQ(labels[3], "0x03 - ");
    EXPECT_EQ(labels[4], "");
    EXPECT_EQ(labels[5], "Entry 5");
    // A bare label numbers itself by its position, whatever came before.
    EXPECT_EQ(labels[6], "0x06");
}

TEST(EntryLabelsTest, IndexingAfterGrowthAndMoving) {
    EntryLabels labels;
    labels.reserve(2, 4);
    labels.AppendNamed("first");
    // Far past the reservation: the buffer moves, earlier labels must not.
    for (int i = 1; i < 70000; ++i)
        labels.AppendBare();
    EXPECT_EQ(labels[0], "0x00 - first");
    EXPECT_EQ(labels[0x10000], "0x10000");
    EXPECT_EQ(labels.back(), "0x1116F");

    EntryLabels moved = std::move(labels);
    EXPECT_EQ(moved[0], "0x00 - first");
    EXPECT_EQ(moved.back(), "0x1116F");
}

// A label too long for the two-byte length beside it, at the edges of a
// group of labels, and a copy that must hold its own text.
TEST(EntryLabelsTest, LabelsLongerThanSixtyFourKiBKeepTheirPlace) {
    EntryLabels labels;
    std::vector<std::string> expected;
    for (size_t i = 0; i < 100; ++i) {
        const bool isLong = i == 31 || i == 32 || i == 64;
        const std::string name = isLong ? std::string(65535 + i, static_cast<char>('a' + i % 26)) : "n";
        labels.AppendNamed(name);
        expected.push_back(Reference(i, &name));
    }
    const EntryLabels copy = labels;
    labels.AppendBare();
    ASSERT_EQ(copy.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(copy[i], expected[i]) << i;
    const std::vector<std::string_view> views = copy.Views();
    EXPECT_EQ(std::vector<std::string>(views.begin(), views.end()), expected);
    EXPECT_EQ(labels[33], expected[33]);
    EXPECT_EQ(labels.back(), "0x64");
}
