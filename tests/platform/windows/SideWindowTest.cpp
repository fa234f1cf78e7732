// The windows beside the dialog, with the dialog in its real modal loop as
// the program runs it: everything the user does reaches them through the
// window system.
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLineEdit>

#include "ModalLoop.h"
#include "RecordingDialog.h"
#include "SideWindowProbe.h"
#include "WindowSystemInput.h"
#include "platform/windows/SideWindows.h"

namespace {

constexpr UINT kUndo = 57643;
constexpr char kLongest[] = "4 - Sunken ruins of the old keep";

class FakeTable : public TableWindowModel {
public:
    std::vector<std::string> headers{"Entry", "Habitat", "Hit points"};
    std::vector<std::vector<std::string>> rows{
            {"Entry 0", "1 - Meadow", "300"}, {"Entry 1", kLongest, "12"}, {"Entry 2", "2 - Cave", "7"}};
    TableWindowView* view = nullptr;
    int current = -1;
    std::vector<UINT> commands;
    std::vector<std::tuple<int, int, std::string>> commits;
    int closed = 0;

    std::string Title() const override { return "Bestiary - Quillmoor"; }
    void OnClosed() override { ++closed; }
    void OnCommand(UINT id) override { commands.push_back(id); }
    std::string FilterLabel() const override { return "Filter:"; }
    int CurrentRow() const override { return current; }
    int SortColumn() const override { return 2; }
    bool SortAscending() const override { return true; }
    void OnFilterChanged(const std::string&) override {}
    int RowCount() const override { return static_cast<int>(rows.size()); }
    int ColumnCount() const override { return static_cast<int>(headers.size()); }
    std::string HeaderText(int column) const override { return headers[static_cast<std::size_t>(column)]; }
    std::string CellText(int row, int column) const override {
        return rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    bool ColumnIsBytes(int column) const override { return column == 2; }
    bool CanEdit(int column) const override { return column > 0; }
    CellEditor EditorFor(int row, int column) const override {
        CellEditor editor;
        editor.kind = CellEditor::Kind::Text;
        editor.text = CellText(row, column);
        return editor;
    }
    bool CommitText(int row, int column, const std::string& text) override {
        commits.emplace_back(row, column, text);
        return true;
    }
    bool CommitItem(int, int, int) override { return false; }
    void OnCurrentRowChanged(int row) override { current = row; }
    void OnHeaderClicked(int) override {}

    // Rows a filter finds later, one a poll.
    std::vector<std::vector<std::string>> found;
    int polls = 0;
    bool PollFilter() override {
        ++polls;
        if (found.empty()) return false;
        rows.push_back(found.front());
        found.erase(found.begin());
        view->RowsAppended(RowCount() - 1, 1);
        return !found.empty();
    }
};

// Runs the event loop until done() holds, for at most `ms` milliseconds.
bool ProcessUntil(const std::function<bool()>& done, int ms = 2000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return done();
}

class SideWindowTest : public ::testing::Test {
protected:
    // The table window, shown while the dialog's modal loop runs.
    void RunWithTable(const std::function<void(SideWindowProbe&)>& body) {
        ModalLoop::Run(dialog, [&] {
            ASSERT_NE(QApplication::activeModalWidget(), nullptr) << "the dialog runs modal";
            auto view = MakeTableWindow(table, dialog, {ACCEL{FVIRTKEY | FCONTROL, 'Z', kUndo}});
            table.view = view.get();
            view->Show();
            SideWindowProbe probe("TableWindow");
            ASSERT_TRUE(probe.Visible());
            body(probe);
            table.view = nullptr;
        });
    }

    RecordingDialog dialog;
    FakeTable table;
};

TEST_F(SideWindowTest, AWindowOutsideTheModalDialogGetsNoInput) {
    // What the harness must show: a top-level window of its own is blocked.
    QLineEdit outside;
    outside.show();
    ModalLoop::Run(dialog, [&] {
        WindowSystemInput::Click(&outside);
        WindowSystemInput::Text(&outside, QStringLiteral("lost"));
    });
    EXPECT_EQ(outside.text(), QString());
}

TEST_F(SideWindowTest, CommandKeysOutsideAnEditorAndTheCloseBoxReachTheModel) {
    RunWithTable([&](SideWindowProbe& probe) {
        probe.ClickCell(0, 1);
        probe.PressKey('Z', FCONTROL);
        EXPECT_EQ(table.commands, std::vector<UINT>{kUndo});

        probe.DoubleClickCell(0, 1);
        ASSERT_TRUE(probe.Editing());
        probe.PressKey('Z', FCONTROL);
        EXPECT_EQ(table.commands, std::vector<UINT>{kUndo}) << "the editor keeps Ctrl+Z for its typing";
        probe.PressKey(VK_ESCAPE);
        EXPECT_FALSE(probe.Editing());
        EXPECT_TRUE(probe.Visible()) << "Escape closed the editor only";
        EXPECT_TRUE(table.commits.empty());

        probe.PressKey(VK_ESCAPE);
        EXPECT_FALSE(probe.Visible());
        EXPECT_EQ(table.closed, 1);
        table.view->Show();
        probe.ClickCloseBox();
        EXPECT_FALSE(probe.Visible());
        EXPECT_EQ(table.closed, 2);
    });
}

TEST_F(SideWindowTest, ColumnsFitTheirCellsAndKeepTheWidthsTheUserSet) {
    RunWithTable([&](SideWindowProbe& probe) {
        const QFontMetrics metrics(QApplication::font());
        EXPECT_GE(probe.ColumnWidth(1), metrics.horizontalAdvance(QString::fromLatin1(kLongest)));
        EXPECT_LT(probe.ColumnWidth(2), probe.ColumnWidth(1));

        const int dragged = probe.ColumnWidth(2) + 60;
        probe.DragColumnEdge(2, 60);
        ASSERT_EQ(probe.ColumnWidth(2), dragged);
        table.headers = {"Entry", "Hit points", "Habitat"};
        table.rows = {{"Entry 0", "300", "1 - Meadow"}};
        table.view->RowsChanged();
        EXPECT_EQ(probe.ColumnWidth(1), dragged) << "kept by its header, wherever the column went";
        EXPECT_LT(probe.ColumnWidth(2), probe.ColumnWidth(1) + 60) << "the others fit their cells again";

        probe.ClickCloseBox();
        table.view->Show();
        EXPECT_EQ(probe.ColumnWidth(1), dragged);
    });
}

} // namespace

namespace {

TEST_F(SideWindowTest, RowsAFilterFindsLaterComeInAndTheCurrentOneIsSelectedWhenItComes) {
    ModalLoop::Run(dialog, [&] {
        table.rows.clear();
        table.current = 2;
        table.found = {
                {"Entry 4", "1 - Meadow", "1"}, {"Entry 7", "2 - Cave", "2"}, {"Entry 9", kLongest, "3"}};
        auto view = MakeTableWindow(table, dialog, {});
        table.view = view.get();
        view->Show();
        SideWindowProbe probe("TableWindow");
        EXPECT_EQ(probe.RowCount(), 0);
        view->FilterRunning();
        ASSERT_TRUE(ProcessUntil([&] { return probe.RowCount() == 3; }));
        EXPECT_EQ(probe.Cell(2, 0), "Entry 9");
        EXPECT_EQ(probe.CurrentRow(), 2);
        // Done: the window stops asking.
        const int polls = table.polls;
        ProcessUntil([] { return false; }, 100);
        EXPECT_EQ(table.polls, polls);

        // A window that goes while a filter runs asks no more.
        table.found = {{"Entry 10", "", ""}, {"Entry 11", "", ""}};
        view->FilterRunning();
        view.reset();
        table.view = nullptr;
        const int gone = table.polls;
        ProcessUntil([] { return false; }, 100);
        EXPECT_EQ(table.polls, gone);
    });
}

} // namespace
