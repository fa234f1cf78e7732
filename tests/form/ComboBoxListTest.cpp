#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/CComboBox.h"
#include "platform/windows/CRect.h"

namespace {

class ComboBoxListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_HASSTRINGS | CBS_DROPDOWNLIST,
                                   CRect(10, 10, 200, 30), &m_parent, 1003));
    }

    CWnd m_parent;
    CComboBox m_combo;
};

TEST_F(ComboBoxListTest, AppendsInOrderWithoutSelectingAndKeepsEveryByte) {
    const std::vector<std::string> texts = {"Moss toad", "", "Caf\xc3\xa9", "\xff\x80 raw"};
    EXPECT_EQ(m_combo.AddStrings(texts), 3);
    EXPECT_EQ(m_combo.GetCount(), 4);
    EXPECT_EQ(m_combo.GetCurSel(), CB_ERR);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m_combo.GetLBText(i), texts[static_cast<std::size_t>(i)]) << i;
    // Items added one by one and in bulk are the same kind of item.
    EXPECT_EQ(m_combo.AddString("single"), 4);
    EXPECT_EQ(m_combo.GetLBText(4), "single");
}

TEST_F(ComboBoxListTest, ViewsIntoOnePackedTextKeepTheirOwnBounds) {
    // Entry labels arrive as views into one buffer with no NUL between them;
    // reading past a view's end would run the labels together.
    const std::string packed = "0x00 - Moss0x01\xff\x80"
                               "0x02 - Caf\xc3\xa9";
    const std::vector<std::string_view> views = {std::string_view(packed).substr(0, 11),
                                                 std::string_view(packed).substr(11, 6),
                                                 std::string_view(packed).substr(17)};
    EXPECT_EQ(m_combo.AddStrings(views), 2);
    EXPECT_EQ(m_combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(m_combo.GetLBText(0), "0x00 - Moss");
    EXPECT_EQ(m_combo.GetLBText(1), "0x01\xff\x80");
    EXPECT_EQ(m_combo.GetLBText(2), "0x02 - Caf\xc3\xa9");
}

TEST_F(ComboBoxListTest, AppendingKeepsTheSelectionAndAnEmptyListAddsNothing) {
    EXPECT_EQ(m_combo.AddStrings({}), CB_ERR);
    m_combo.AddStrings({"a", "b"});
    m_combo.SetCurSel(1);
    EXPECT_EQ(m_combo.AddStrings({"c", "d"}), 3);
    EXPECT_EQ(m_combo.GetCurSel(), 1);
    EXPECT_EQ(m_combo.AddStrings({}), 3);
    m_combo.ResetContent();
    m_combo.AddStrings({"x"});
    EXPECT_EQ(m_combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(m_combo.GetCount(), 1);
}

} // namespace
