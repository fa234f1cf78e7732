#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which entries a table shows, in which order: all of them, those a filter
// keeps, sorted by one column's texts. It only orders entry numbers; the
// texts come from whoever asks, so the ROM never changes.
class TableRows {
public:
    // The entry's text in one column, and whether a filter keeps an entry.
    using TextOf = std::function<std::string(int entry)>;
    using Keep = std::function<bool(int entry)>;
    using NumberOf = std::function<int64_t(int entry)>;

    // Every entry 0 to count - 1 in order.
    void ShowAll(int count);
    // Entries 0 to count - 1 that keep accepts, in order.
    void ShowMatching(int count, const Keep& keep);
    // The listed entries of 0 to count - 1 (ascending), in order.
    void ShowEntries(std::vector<int> entries, int count);
    // More entries after the last one shown (ascending), before any sort.
    void Append(const std::vector<int>& entries);
    // Reorders the rows shown by the column's texts; equal texts keep their
    // order, so sorting by one column then another sorts by both.
    void Sort(const TextOf& textOf, bool ascending);
    // The same for a column whose every cell is the number given, which
    // orders as its text would.
    void SortByNumber(const NumberOf& numberOf, bool ascending);

    int Count() const { return static_cast<int>(m_entries.size()); }
    // Only for 0 <= row < Count().
    int EntryAt(int row) const { return m_entries[static_cast<size_t>(row)]; }
    // The row showing the entry, or -1 when none does.
    int RowOf(int entry) const;

    // Whether text contains needle, ignoring the case of ASCII letters.
    // An empty needle is in every text.
    static bool ContainsNoCase(std::string_view text, std::string_view needle);
    // Cells that start with a number (decimal, signed, or 0x hex, as the form
    // shows numbers and dropbox items) order by that number, before every
    // cell that does not; ties and the rest order as text, case ignored.
    // Negative, zero or positive, as strcmp.
    static int CompareCells(std::string_view a, std::string_view b);

private:
    // The number a cell starts with and the text after it.
    struct SortKey {
        std::optional<int64_t> number;
        std::string_view rest;
    };
    static SortKey KeyOf(std::string_view cell);
    static int CompareNoCase(std::string_view a, std::string_view b);
    // Reorders the rows by the order of their positions.
    void Reorder(const std::vector<uint32_t>& order);

    std::vector<int> m_entries;
    // The entries the rows are chosen from.
    int m_count = 0;
    // Whether row i shows entry i, so RowOf needs no search.
    bool m_identity = true;
};
