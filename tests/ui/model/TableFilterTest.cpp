// The table window's filter over tables big enough to be searched on worker
// threads: whatever keystrokes, edits and closes come while it runs, the
// rows are those a plain loop over every cell keeps, in entry order.
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ModuleMaker.h"
#include "document/ElementDisplay.h"
#include "platform/win32/WinConstants.h"
#include "table/CTableModule.h"
#include "table/ElementStyle.h"
#include "ui/model/EditorState.h"
#include "ui/model/TableRows.h"
#include "ui/model/TableWindow.h"

namespace {

class QuietView : public TableWindowView {
public:
    void Show() override { visible = true; }
    bool IsVisible() const override { return visible; }
    void TitleChanged() override {}
    int Message(const std::string&, const std::string&, UINT) override { return IDOK; }
    void RowsChanged() override {}
    void CellsChanged() override {}
    void CurrentRowChanged() override {}
    void RowsAppended(int, int) override {}

    bool visible = false;
};

// Every kind of element: a 2-byte number, a signed byte, 2-byte hex, a
// 3-byte hex array, 5 characters of text and a dropbox, 14 bytes an entry.
constexpr uint32_t kLength = 14;

std::unique_ptr<CTableModule> EveryKind(int entries) {
    return MakeModule(0, entries, kLength,
                      {{"Number", 0, 2, 0, {}},
                       {"Signed", 2, 1, STYLE_SIGNED, {}},
                       {"Hex", 3, 2, STYLE_HEX, {}},
                       {"Bytes", 5, 3, STYLE_HEXARRAY, {}},
                       {"Name", 8, 5, STYLE_TEXT, {}},
                       {"Kind", 13, 1, STYLE_DROPBOX, {{1, "Drake"}, {2, "Wyrm"}, {0x2A, "Newt"}}}});
}

// Letters and digits the cells hold often enough that short needles keep
// some rows and drop others.
std::vector<uint8_t> RandomImage(std::mt19937& random, int entries) {
    constexpr char kCharacters[] = "abdekrw0123-";
    std::vector<uint8_t> image(static_cast<size_t>(entries) * kLength);
    for (size_t at = 0; at < image.size(); ++at) {
        const size_t field = at % kLength;
        image[at] = field >= 8 && field < 13 ? static_cast<uint8_t>(kCharacters[random() % 12])
                    : field == 13            ? static_cast<uint8_t>(random() % 4)
                                             : static_cast<uint8_t>(random());
    }
    return image;
}

// What the filter keeps, cell by cell, as the window showed it before it
// searched on other threads.
std::vector<int> PlainLoop(const EditorState& state, const std::string& needle) {
    const CTableModule& module = *state.CurrentModule();
    std::vector<int> kept;
    for (int entry = 0; entry < module.m_nEntryCount; ++entry) {
        const std::span<const uint8_t> bytes(
                state.document.Data() + size_t{kLength} * static_cast<size_t>(entry), kLength);
        bool holds = TableRows::ContainsNoCase(module.m_entryNames[static_cast<size_t>(entry)], needle);
        for (int element = 0; element < module.m_nElements && !holds; ++element)
            holds = TableRows::ContainsNoCase(ElementDisplay::Show(module, element, bytes), needle);
        if (holds) kept.push_back(entry);
    }
    return kept;
}

class TableFilterTest : public ::testing::Test {
protected:
    // 30,000 entries of 7 columns: more cells than a filter searches at once.
    void Load(int entries, unsigned seed) {
        std::mt19937 random(seed);
        m_state.modules.push_back(EveryKind(entries));
        m_state.document.Adopt(RandomImage(random, entries), "game.rom");
        ASSERT_TRUE(m_state.SelectModule(0));
        m_window->Open();
    }
    void Type(const std::string& text) { m_window->OnFilterChanged(text); }
    // Polls as the window's timer does, until the filter is done.
    void Finish() {
        for (int polls = 0; m_window->PollFilter(); ++polls) {
            ASSERT_LT(polls, 100000) << "the filter never ended";
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        EXPECT_FALSE(m_window->Filtering());
    }
    // The entries the rows show, from their labels ("Entry 12").
    std::vector<int> Rows() const {
        std::vector<int> entries;
        for (int row = 0; row < m_window->RowCount(); ++row)
            entries.push_back(std::stoi(m_window->CellText(row, 0).substr(6)));
        return entries;
    }
    void ExpectPlainLoops(const std::string& needle) {
        Finish();
        EXPECT_EQ(Rows(), PlainLoop(m_state, needle)) << '"' << needle << '"';
    }
    // Applied as another front end would, the text padded with NULs.
    void SetText(int entry, const std::string& text) {
        std::vector<uint8_t> bytes(text.begin(), text.end());
        bytes.resize(5, 0);
        ASSERT_TRUE(m_state.ApplyValue(entry, 4, bytes).kind == RomDocument::Applied::Kind::Stored);
    }

    EditorState m_state;
    std::unique_ptr<TableWindow> m_window = std::make_unique<TableWindow>(
            m_state, [](TableWindowModel&) { return std::make_unique<QuietView>(); });
};

TEST_F(TableFilterTest, RowsAreThePlainLoopsOnRandomTablesAsTheTextGrowsShrinksAndSorts) {
    constexpr char kAlphabet[] = "abdekrwxy0123456789 -";
    // One table searched on the workers, one at once.
    for (const unsigned seed : {1u, 2u}) {
        SCOPED_TRACE(seed);
        m_state.SelectModule(-1);
        m_state.modules.clear();
        m_state.ModulesChanged();
        Load(seed == 1 ? 30000 : 40, seed);
        std::mt19937 random(seed);
        std::string needle;
        for (int step = 0; step < 6; ++step) {
            // Mostly typed on, so narrowing is met often; now and then shortened.
            if (!needle.empty() && random() % 4 == 0)
                needle.pop_back();
            else
                needle.push_back(kAlphabet[random() % (sizeof kAlphabet - 1)]);
            Type(needle);
            ExpectPlainLoops(needle);
        }
        // Sorted, the same rows in the order their texts give, ties in entry order.
        const std::vector<int> kept = Rows();
        for (int column = 1; column <= 6; ++column) {
            m_window->OnHeaderClicked(column);
            if (column % 2 == 0) m_window->OnHeaderClicked(column);
            Finish();
            const bool ascending = m_window->SortAscending();
            std::vector<int> expected = kept;
            std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
                const CTableModule& module = *m_state.CurrentModule();
                const auto text = [&](int entry) {
                    return ElementDisplay::Show(
                            module, column - 1,
                            {m_state.document.Data() + size_t{kLength} * size_t(entry), kLength});
                };
                const int c = TableRows::CompareCells(text(a), text(b));
                return ascending ? c < 0 : c > 0;
            });
            EXPECT_EQ(Rows(), expected) << "column " << column;
        }
    }
}

TEST_F(TableFilterTest, ASecondKeystrokeCancelsTheFirstsSearch) {
    Load(30000, 7);
    Type("a");
    ASSERT_TRUE(m_window->Filtering());
    m_window->PollFilter();
    Type("-1");
    EXPECT_EQ(m_window->RowCount(), 0) << "no row of the first search stays";
    ExpectPlainLoops("-1");
    // Deleted back to nothing, every row shows at once.
    Type("");
    EXPECT_FALSE(m_window->Filtering());
    EXPECT_EQ(m_window->RowCount(), 30000);
}

TEST_F(TableFilterTest, AnApplyOrUndoWhileItRunsKeepsTheRowsRight) {
    Load(30000, 11);
    // Applied and undone before the search goes on: the bytes it reads are
    // the ones it started with.
    Type("kr");
    SetText(29999, "kr");
    m_state.Undo();
    ExpectPlainLoops("kr");

    // An entry changed while it runs shows as it was when searched, or as
    // it is now; every other row is as the plain loop keeps it.
    const std::vector<int> before = PlainLoop(m_state, "wwd");
    Type("wwd");
    m_window->PollFilter();
    SetText(20000, "wwd");
    SetText(0, "kkk");
    Finish();
    const std::vector<int> after = PlainLoop(m_state, "wwd");
    const std::vector<int> rows = Rows();
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()) &&
                std::adjacent_find(rows.begin(), rows.end()) == rows.end());
    std::set<int> either(before.begin(), before.end());
    either.insert(after.begin(), after.end());
    for (int entry = 0; entry < 30000; ++entry) {
        const bool shown = std::binary_search(rows.begin(), rows.end(), entry);
        if (entry == 0 || entry == 20000)
            EXPECT_TRUE(!shown || either.count(entry) != 0) << entry;
        else
            EXPECT_EQ(shown, std::binary_search(after.begin(), after.end(), entry)) << entry;
    }
    // The changed bytes are searched afresh by the next text, not the last one's rows.
    Type("wwd");
    ExpectPlainLoops("wwd");
}

TEST_F(TableFilterTest, ClosingOrLosingTheModuleWhileItRunsStopsIt) {
    Load(30000, 5);
    Type("e");
    m_window->OnClosed();
    EXPECT_FALSE(m_window->Filtering());
    EXPECT_EQ(m_window->RowCount(), 0);

    m_window->Open();
    ASSERT_TRUE(m_window->Filtering());
    // The module goes while the workers read it.
    m_state.SelectModule(-1);
    m_state.modules.clear();
    m_state.ModulesChanged();
    EXPECT_FALSE(m_window->Filtering());

    // The window goes while the workers read the image; the image changes after.
    Load(30000, 6);
    Type("d");
    ASSERT_TRUE(m_window->Filtering());
    m_window.reset();
    SetText(3, "dd");
    m_state.Undo();
}

} // namespace
