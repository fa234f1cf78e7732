#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "document/Observers.h"
#include "platform/windows/TableWindowModel.h"
#include "ui/model/FilterJob.h"
#include "ui/model/FilterNeedle.h"
#include "ui/model/TableRows.h"

class CTableModule;
class EditorState;
struct EditorChange;

// The table window's presenter: every entry of the current module at once,
// the label then what the form shows for every element, read from the
// image as the widget asks for each visible cell. A cell edit applies the
// value as every other front end does (EditorState::ApplyValue); a row the
// user moves to becomes the current entry. The filter and the sort order
// only choose and order rows. While hidden it does no work.
//
// A filter over a big table searches on worker threads (FilterJob), so the
// window never waits for it: the rows found show as they come, the next
// keystroke cancels it, and a text that extends the last one searches only
// the last one's rows. Every change of the image through the state pauses
// the search first; rows already found stay, as they would after a filter
// that had finished, and the rest are searched in the new bytes.
class TableWindow : public TableWindowModel {
public:
    using ViewFactory = std::function<std::unique_ptr<TableWindowView>(TableWindowModel&)>;

    // The view is made on the first Open.
    TableWindow(EditorState& state, ViewFactory makeView);
    ~TableWindow() override;
    TableWindow(const TableWindow&) = delete;
    TableWindow& operator=(const TableWindow&) = delete;

    // Shows the window in front, in step with the state.
    void Open();
    bool IsVisible() const;
    // Whether a filter is still searching rows.
    bool Filtering() const { return m_job != nullptr; }

    std::string Title() const override;
    std::string FilterLabel() const override;
    int CurrentRow() const override;
    int SortColumn() const override { return m_sortColumn; }
    bool SortAscending() const override { return m_sortAscending; }
    void OnFilterChanged(const std::string& text) override;
    bool Comparing() const override;
    std::string ChangedOnlyLabel() const override;
    void OnChangedOnly(bool only) override;
    bool PollFilter() override;
    bool CellChanged(int row, int column) const override;
    void OnClosed() override;
    void OnCommand(UINT id) override;

    int RowCount() const override;
    int ColumnCount() const override;
    std::string HeaderText(int column) const override;
    std::string CellText(int row, int column) const override;
    bool ColumnIsBytes(int column) const override;
    bool CanEdit(int column) const override;
    CellEditor EditorFor(int row, int column) const override;
    bool CommitText(int row, int column, const std::string& text) override;
    bool CommitItem(int row, int column, int item) override;
    void OnCurrentRowChanged(int row) override;
    void OnHeaderClicked(int column) override;

private:
    void OnChange(const EditorChange& change);
    // Rows and columns afresh from the state; the sort order goes with a
    // module change.
    void Rebuild();
    // No rows, no columns, no module held.
    void Detach();
    void ApplySortAndShow();
    // The filter's text matches among the candidates: at once when few,
    // else on the workers.
    void StartFilter(int count);
    void StopFilter();
    void FinishFilter();
    void ForgetLastFilter();
    // The rows for text matches (ascending), the changed-only box applied.
    std::vector<int> KeptOf(std::vector<int> matches) const;
    void Sort();
    bool SortsAsNumbers() const;
    // The module whose entries can be read from the open image, or null.
    const CTableModule* Readable() const;
    bool Matches(const FilterNeedle& needle, int entry) const;
    bool EntryChanged(int entry) const;
    std::string EntryText(int entry, int column) const;
    // Only for an entry of m_module while it is readable.
    std::span<const uint8_t> EntryBytes(int entry) const;
    int64_t NumberAt(int entry, int element) const;
    bool Apply(int row, int element, const std::vector<uint8_t>& bytes);
    int Message(const std::string& text, const char* caption = nullptr, UINT type = 0);

    EditorState& m_state;
    ViewFactory m_makeView;
    std::unique_ptr<TableWindowView> m_view;
    TableRows m_rows;
    // What the rows were built from: null when no rows show.
    const CTableModule* m_module = nullptr;
    int m_columns = 0;
    std::string m_filter;
    bool m_changedOnly = false;
    int m_sortColumn = -1;
    bool m_sortAscending = true;
    // The search under way, the image it reads, its text matches so far,
    // and whether the bytes changed under it.
    std::unique_ptr<FilterJob> m_job;
    std::shared_ptr<const FilterNeedle> m_jobNeedle;
    const uint8_t* m_jobImage = nullptr;
    std::vector<int> m_jobMatches;
    bool m_jobSawChange = false;
    // The last finished filter's text and matches, while the bytes and the
    // module are what it searched: a text extending it searches only these.
    std::shared_ptr<const FilterNeedle> m_lastNeedle;
    std::vector<int> m_lastMatches;
    Subscription m_following;
    Subscription m_pausing;
};
