// The table window's presenter without a window: a fake view records what
// it is told; edits go through the one apply the other front ends use.
#include "ui/model/TableWindow.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "ModuleMaker.h"
#include "platform/win32/WinConstants.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "table/CTableModule.h"
#include "ui/model/EditorState.h"

namespace {

class FakeView : public TableWindowView {
public:
    void Show() override { visible = true; }
    bool IsVisible() const override { return visible; }
    void TitleChanged() override {}
    int Message(const std::string& text, const std::string&, UINT) override {
        messages.push_back(text);
        return IDOK;
    }
    void RowsChanged() override { ++resets; }
    void CellsChanged() override {}
    void CurrentRowChanged() override {}

    bool visible = false;
    int resets = 0;
    std::vector<std::string> messages;
};

class TableWindowTest : public ::testing::Test {
protected:
    // Three entries of 2 bytes: "Low" byte 0, covered by "Word" bytes 0-1.
    void SetUp() override {
        m_state.modules.push_back(MakeModule(0, 3, 2, {{"Low", 0, 1, 0, {}}, {"Word", 0, 2, 0, {}}}));
        m_state.modules[0]->m_strName = "Pairs";
        m_state.document.Adopt({1, 0, 2, 0, 3, 0}, "game.rom");
        ASSERT_TRUE(m_state.SelectModule(0));
        m_window.Open();
    }

    EditorState m_state;
    FakeView* m_view = nullptr;
    TableWindow m_window{m_state, [this](TableWindowModel&) {
                             auto view = std::make_unique<FakeView>();
                             m_view = view.get();
                             return view;
                         }};
};

TEST_F(TableWindowTest, ACoveredCellIsRefusedWithQlmsWordsAndNoByteChanges) {
    EXPECT_FALSE(m_window.CommitText(1, 1, "9"));
    EXPECT_EQ(m_view->messages, (std::vector<std::string>{QlmCoveredText("Low", "Word")}));
    EXPECT_EQ(m_state.document.Data()[2], 2);
    EXPECT_FALSE(m_state.document.IsModified());
    EXPECT_EQ(m_window.CellText(1, 1), "2");
    // The covering element itself takes the value.
    EXPECT_TRUE(m_window.CommitText(1, 2, "9"));
    EXPECT_EQ(m_state.document.Data()[2], 9);
    EXPECT_EQ(m_window.CellText(1, 1), "9");
    EXPECT_EQ(m_window.Title(), "Pairs - Quillmoor *");
}

TEST_F(TableWindowTest, AModuleGoingEmptiesTheWindowBeforeItIsDeleted) {
    m_window.OnClosed();
    m_view->visible = false;
    m_state.SelectModule(-1);
    m_state.modules.clear();
    m_state.ModulesChanged();
    EXPECT_EQ(m_window.RowCount(), 0);
    EXPECT_EQ(m_window.ColumnCount(), 0);
    EXPECT_EQ(m_window.CellText(0, 1), "");
    m_window.Open();
    EXPECT_EQ(m_window.Title(), "Quillmoor");
    EXPECT_EQ(m_window.RowCount(), 0);
}

} // namespace
