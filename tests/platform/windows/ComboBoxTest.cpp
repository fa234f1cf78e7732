#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QComboBox>

#include "RecordingDialog.h"
#include "TestInput.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CRect.h"
#include "platform/windows/NativeWindow.h"

namespace {

constexpr UINT kComboId = 1200;

class ComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create());
        dialog.ShowWindow(SW_SHOW);
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
                                 CRect(10, 60, 200, 260), &dialog, kComboId));
        for (const char* name : {"alpha", "beta", "gamma"})
            combo.AddString(name);
        combo.SetFocus();
    }

    int SelChanges() const {
        int n = 0;
        for (const auto& c : dialog.commands)
            n += (c.id == kComboId && c.code == CBN_SELCHANGE) ? 1 : 0;
        return n;
    }

    RecordingDialog dialog;
    CComboBox combo;
};

TEST_F(ComboBoxTest, ItemsArriveWithoutSelectionAndProgramChangesNeverNotify) {
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.GetWindowText(), "");

    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(combo.GetWindowText(), "beta");
    // Adding more keeps the selection where it was.
    combo.AddString("delta");
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.SetCurSel(-1), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    combo.SetCurSel(2);
    EXPECT_EQ(combo.SetCurSel(7), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "an index out of range clears the selection";

    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    combo.AddString("again");
    EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "not even after the list was emptied";
    EXPECT_EQ(SelChanges(), 0);
}

TEST_F(ComboBoxTest, DeletingFollowsWin32) {
    combo.SetCurSel(2);
    EXPECT_EQ(combo.DeleteString(0), 2);
    EXPECT_EQ(combo.GetCurSel(), 1) << "the same item stays selected";
    EXPECT_EQ(combo.GetLBText(1), "gamma");
    EXPECT_EQ(combo.DeleteString(1), 1);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "removing the selected item leaves none";
    EXPECT_EQ(combo.DeleteString(5), CB_ERR);
    EXPECT_EQ(combo.GetCount(), 1);
    EXPECT_EQ(SelChanges(), 0);
}

TEST_F(ComboBoxTest, UserChoiceByKeyAndMouseNotifiesTheParent) {
    TestInput::KeyClick(combo, VK_DOWN);
    EXPECT_EQ(combo.GetCurSel(), 0);
    ASSERT_EQ(SelChanges(), 1);
    const auto& first = dialog.commands.back();
    EXPECT_EQ(first.code, CBN_SELCHANGE);
    EXPECT_EQ(first.source, reinterpret_cast<LPARAM>(combo.GetSafeHwnd()));

    TestInput::ChooseComboItem(combo, 2);
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(SelChanges(), 2);
    // Choosing the item that is already selected still reports a choice.
    TestInput::ChooseComboItem(combo, 2);
    EXPECT_EQ(SelChanges(), 3);
}

TEST_F(ComboBoxTest, ItemTextsComeBackAsTheBytesGiven) {
    const std::string utf8 = "caf\xC3\xA9";
    const std::string latin1 = "caf\xE9 \x80\xFF";
    combo.ResetContent();
    combo.AddString(utf8);
    combo.AddString(latin1);
    EXPECT_EQ(combo.GetLBText(0), utf8);
    EXPECT_EQ(combo.GetLBText(1), latin1);
    EXPECT_EQ(combo.GetLBTextLen(1), static_cast<int>(latin1.size()));
    EXPECT_EQ(combo.GetLBText(2), "");
}

TEST_F(ComboBoxTest, ClosedListIsAsTallAsItsFieldAtTheGivenPlace) {
    combo.MoveWindow(10, 10, 433, 2);
    CRect rect;
    combo.GetWindowRect(rect);
    dialog.ScreenToClient(rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 10);
    EXPECT_EQ(rect.Width(), 433);
    EXPECT_GT(rect.Height(), 12) << "a 2-pixel list height must not squash the selection field";
}

} // namespace

namespace {

// A parent whose handler destroys the control that notified it, as a form
// rebuilt from a selection change would.
class DestroyingParent : public CWnd {
public:
    std::unique_ptr<CComboBox> combo;
    int notifications = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
            ++notifications;
            combo.reset();
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(ComboBoxLifetimeTest, AHandlerMayDestroyTheControlThatNotifiedIt) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    DestroyingParent parent;
    ASSERT_TRUE(
            parent.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &dialog, 5));
    parent.combo = std::make_unique<CComboBox>();
    ASSERT_TRUE(parent.combo->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 200, 100),
                                     &parent, 6));
    parent.combo->AddString("one");
    parent.combo->AddString("two");
    HWND handle = parent.combo->GetSafeHwnd();
    TestInput::ChooseComboItem(*parent.combo, 1);
    TestInput::ProcessEvents();
    EXPECT_EQ(parent.notifications, 1);
    EXPECT_EQ(parent.combo, nullptr);
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_EQ(parent.GetDlgItem(6), nullptr);
}

} // namespace

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

namespace {

class ComboBoxPackedTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_HASSTRINGS | CBS_DROPDOWNLIST,
                                   CRect(10, 10, 200, 30), &m_parent, 1004));
    }
    QString Shown(int index) const {
        return static_cast<QComboBox*>(m_combo.GetSafeHwnd()->Widget())->itemText(index);
    }
    LRESULT Data(int index) { return m_combo.SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index), 0); }

    CWnd m_parent;
    CComboBox m_combo;
};

TEST_F(ComboBoxPackedTest, PackedLabelsArriveWholeWithoutSelectingAndBadEndsAddNothing) {
    const std::string packed = "0x00 - Moss0x01\xff\x80"
                               "0x02 - Caf\xc3\xa9";
    const std::vector<std::size_t> ends = {11, 17, 17, packed.size()};
    EXPECT_EQ(m_combo.AddStrings(packed, ends), 3);
    EXPECT_EQ(m_combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(m_combo.GetLBText(1), "0x01\xff\x80");
    EXPECT_EQ(m_combo.GetLBText(2), "");
    EXPECT_EQ(m_combo.GetLBText(3), "0x02 - Caf\xc3\xa9");
    EXPECT_EQ(Shown(1), QString::fromLatin1("0x01\xff\x80")) << "one character per byte where not UTF-8";
    EXPECT_EQ(Shown(3), QString::fromUtf8("0x02 - Caf\xc3\xa9"));

    m_combo.SetCurSel(1);
    const std::vector<std::size_t> backwards = {4, 2};
    const std::vector<std::size_t> pastTheEnd = {packed.size() + 1};
    EXPECT_EQ(m_combo.AddStrings(packed, backwards), CB_ERR);
    EXPECT_EQ(m_combo.AddStrings(packed, pastTheEnd), CB_ERR);
    EXPECT_EQ(m_combo.AddStrings(std::string_view(packed).substr(0, 4), std::vector<std::size_t>{4}), 4);
    EXPECT_EQ(m_combo.GetCount(), 5);
    EXPECT_EQ(m_combo.GetLBText(4), "0x00");
    EXPECT_EQ(m_combo.GetCurSel(), 1);
}

TEST_F(ComboBoxPackedTest, InsertsAndDeletesInTheMiddleKeepEveryItemsTextAndData) {
    m_combo.AddStrings({"alpha", "beta", "gamma"});
    m_combo.SendMessage(CB_SETITEMDATA, 1, 42);
    EXPECT_EQ(m_combo.SendMessage(CB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("\xe9t\xe9")), 1);
    EXPECT_EQ(m_combo.GetLBText(0), "alpha");
    EXPECT_EQ(m_combo.GetLBText(1), "\xe9t\xe9");
    EXPECT_EQ(m_combo.GetLBText(2), "beta");
    EXPECT_EQ(Data(2), 42);
    EXPECT_EQ(Data(1), 0);
    EXPECT_EQ(m_combo.DeleteString(0), 3);
    EXPECT_EQ(m_combo.GetLBText(0), "\xe9t\xe9");
    EXPECT_EQ(m_combo.GetLBText(2), "gamma");
    EXPECT_EQ(Data(1), 42);
    m_combo.AddStrings({"delta"});
    EXPECT_EQ(Data(3), 0);
    m_combo.ResetContent();
    m_combo.AddString("again");
    EXPECT_EQ(Data(0), 0) << "data goes with the items it belonged to";
}

} // namespace
