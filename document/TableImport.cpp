#include "document/TableImport.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_map>

#include "document/CsvReader.h"
#include "document/EntryStore.h"
#include "document/StrictNumber.h"
#include "document/TableText.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"
#include "table/NumberCodec.h"

namespace {

class ProblemList {
public:
    void Add(std::string line) {
        if (m_problems.listed.size() < TableImport::kListedProblems)
            m_problems.listed.push_back(std::move(line));
        ++m_problems.count;
    }
    void AddCell(size_t row, size_t column, std::string_view problem) {
        if (m_problems.listed.size() < TableImport::kListedProblems)
            Add(ImportCellText(row, column, problem));
        else
            ++m_problems.count;
    }
    bool Empty() const { return m_problems.count == 0; }
    TableImport::Problems Take() { return std::move(m_problems); }

private:
    TableImport::Problems m_problems;
};

// Lets a map keyed by strings be searched with a cell's view.
struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// Everything one row needs, made once per import.
class RowReader {
public:
    // With a `writable` table, changed entries go straight into it instead
    // of into a list.
    RowReader(const CTableModule& module, std::span<const uint8_t> table, std::span<uint8_t> writable,
              InputRules rules, ProblemList& problems)
        : m_module(module), m_table(table), m_writable(writable), m_rules(rules), m_problems(problems),
          m_text(module), m_rowOf(static_cast<size_t>(std::max(module.m_nEntryCount, 0)), 0),
          m_bytes(module.m_nEntryLength), m_result(module.m_nEntryLength) {
        for (const auto& e : module.m_elements) {
            m_newBytesAt.push_back(m_newBytes.size());
            m_newBytes.resize(m_newBytes.size() + e->size);
        }
        m_dropboxItems.resize(module.m_elements.size());
        for (int i = 0; i < module.m_nElements; ++i) {
            IndexDropbox(i);
            m_readsBack.push_back(ShownReadsBack(i));
            m_coverable.push_back(EntryStore::Coverable(module, i, module.m_nEntryLength));
        }
    }

    // The elements the header names, or false when one is unknown or the
    // first cell is not the entry column: a sheet whose entry column was
    // moved or deleted would otherwise write its first field as entries.
    bool ReadHeader(const std::vector<std::string_view>& cells) {
        std::string_view first = cells.empty() ? std::string_view() : cells[0];
        // Spreadsheets start a UTF-8 file with a byte order mark.
        if (first.starts_with("\xEF\xBB\xBF")) first.remove_prefix(3);
        if (first != kQlmEntryHeading) {
            m_problems.AddCell(1, 1, ImportFirstColumnText(first));
            return false;
        }
        // Each name's elements in order; two elements of one name take the
        // header's columns of that name in order, so a dump of such a
        // module reads back.
        std::unordered_map<std::string_view, std::vector<int>> byName;
        for (int i = m_module.m_nElements - 1; i >= 0; --i)
            byName[m_module.m_elements[static_cast<size_t>(i)]->name].push_back(i);
        for (size_t column = 1; column < cells.size(); ++column) {
            const auto found = byName.find(cells[column]);
            if (found == byName.end() || found->second.empty()) {
                m_problems.AddCell(1, column + 1,
                                   found != byName.end() ? ImportTwoColumnsText(cells[column])
                                                         : ImportNoColumnText(cells[column]));
                continue;
            }
            m_columns.push_back(found->second.back());
            found->second.pop_back();
        }
        return m_problems.Empty();
    }

    void ReadRow(size_t row, const std::vector<std::string_view>& cells) {
        if (cells.size() != m_columns.size() + 1) {
            m_problems.Add(ImportCellText(row, 1, ImportCellCountText(cells.size(), m_columns.size() + 1)));
            return;
        }
        const std::optional<int> entry = FindEntry(row, cells[0]);
        if (!entry) return;
        const size_t length = m_module.m_nEntryLength;
        const std::span<const uint8_t> old = m_table.subspan(static_cast<size_t>(*entry) * length, length);
        m_changed.clear();
        for (size_t c = 0; c < m_columns.size(); ++c)
            ReadCell(row, c + 2, m_columns[c], cells[c + 1], old);
        if (m_changed.empty()) return;
        // Columns usually come in element order, and sorting is then wasted.
        if (!std::is_sorted(m_changed.begin(), m_changed.end()))
            std::sort(m_changed.begin(), m_changed.end());
        if (!Store(row, old) || !m_problems.Empty()) return;
        if (std::equal(m_bytes.begin(), m_bytes.end(), old.begin())) return;
        if (m_writable.empty()) return m_result.Add(*entry, m_bytes);
        std::copy(m_bytes.begin(), m_bytes.end(), m_writable.begin() + (old.data() - m_table.data()));
        m_changedEntries.push_back(*entry);
    }

    void Reserve(size_t entries) {
        if (m_writable.empty())
            m_result.Reserve(entries);
        else
            m_changedEntries.reserve(entries);
    }

    ImportedEntries TakeResult() {
        m_result.SortByEntry();
        return std::move(m_result);
    }

    std::vector<int> TakeChangedEntries() {
        std::sort(m_changedEntries.begin(), m_changedEntries.end());
        return std::move(m_changedEntries);
    }

private:
    // A label the loader made starts with its entry's number in hex, so the
    // number finds it without a table of every label; other labels are
    // looked up in one, made the first time it is needed.
    std::optional<int> FindLabel(std::string_view text) {
        const EntryLabels& labels = m_module.m_entryNames;
        if (text.starts_with("0x")) {
            size_t index = 0;
            const char* digits = text.data() + 2;
            const auto [end, error] = std::from_chars(digits, text.data() + text.size(), index, 16);
            if (error == std::errc() && end != digits && index < labels.size() && labels[index] == text)
                return static_cast<int>(index);
        }
        if (m_entries.empty())
            for (size_t i = 0; i < labels.size(); ++i)
                m_entries.emplace(labels[i], static_cast<int>(i));
        if (const auto found = m_entries.find(text); found != m_entries.end()) return found->second;
        return std::nullopt;
    }

    std::optional<int> FindEntry(size_t row, std::string_view text) {
        std::optional<int> entry = FindLabel(text);
        if (const std::optional<uint32_t> number = entry ? std::nullopt : StrictNumber::Parse(text);
            number && *number < m_rowOf.size())
            entry = static_cast<int>(*number);
        if (!entry) {
            m_problems.AddCell(row, 1, ImportNoEntryText(text));
            return std::nullopt;
        }
        size_t& firstRow = m_rowOf[static_cast<size_t>(*entry)];
        if (firstRow != 0) {
            m_problems.AddCell(row, 1, ImportEntryTwiceText(text, firstRow));
            return std::nullopt;
        }
        firstRow = row;
        return entry;
    }

    // A dropbox cell by name or label, without ElementInput formatting every
    // label of the list for every cell: names first, then labels, the
    // first item of each, as ElementInput looks them up.
    void IndexDropbox(int element) {
        const ModuleElement& e = *m_module.m_elements[static_cast<size_t>(element)];
        if (ElementCodec::KindOf(e.style) != ElementKind::Dropbox) return;
        auto& items = m_dropboxItems[static_cast<size_t>(element)];
        for (size_t i = 0; i < e.values.size(); ++i)
            items.emplace(m_module.GetValueName(element, static_cast<int>(i)), static_cast<int>(i));
        for (size_t i = 0; i < e.values.size(); ++i)
            items.emplace(ElementCodec::DropboxItemLabel(
                                  e.values[i], m_module.GetValueName(element, static_cast<int>(i)), e.style),
                          static_cast<int>(i));
    }

    // Under the strict rules a number or hex array reads back its own shown
    // text as the very bytes it shows, so a cell that reads as other bytes
    // (or not at all) is not the shown text: the shown text need not be made.
    bool ShownReadsBack(int element) const {
        const ModuleElement& e = *m_module.m_elements[static_cast<size_t>(element)];
        if (uint64_t{e.offset} + e.size > m_module.m_nEntryLength) return false;
        switch (ElementCodec::KindOf(e.style)) {
        case ElementKind::HexArray:
            return m_rules == InputRules::Strict;
        case ElementKind::HexNumber:
        case ElementKind::SignedNumber:
        case ElementKind::UnsignedNumber:
            return m_rules == InputRules::Strict && e.size <= 4;
        default:
            return false;
        }
    }

    void ReadCell(size_t row, size_t column, int element, std::string_view cell,
                  std::span<const uint8_t> old) {
        if (m_readsBack[static_cast<size_t>(element)]) {
            const std::span<uint8_t> bytes = NewBytes(element);
            if (const Result<void, std::string> read =
                        ElementInput::ReadInto(m_module, element, cell, m_rules, bytes);
                !read)
                return m_problems.AddCell(row, column, read.Error());
            // A few bytes: compared here rather than through a call.
            const uint8_t* was = old.data() + m_module.m_elements[static_cast<size_t>(element)]->offset;
            unsigned differs = 0;
            for (size_t k = 0; k < bytes.size(); ++k)
                differs |= static_cast<unsigned>(bytes[k] ^ was[k]);
            if (differs != 0) m_changed.push_back(element);
            return;
        }
        m_shown.clear();
        m_text.Append(m_shown, element, old);
        if (m_shown == cell) return;
        // Only a dropbox has items; no other cell is worth hashing.
        const auto& items = m_dropboxItems[static_cast<size_t>(element)];
        if (const auto found = items.empty() ? items.end() : items.find(cell); found != items.end()) {
            const ModuleElement& e = *m_module.m_elements[static_cast<size_t>(element)];
            NumberCodec::EncodeUnsigned(e.values[static_cast<size_t>(found->second)], NewBytes(element));
            m_changed.push_back(element);
            return;
        }
        if (const Result<void, std::string> read =
                    ElementInput::ReadInto(m_module, element, cell, m_rules, NewBytes(element));
            !read)
            return m_problems.AddCell(row, column, read.Error());
        m_changed.push_back(element);
    }

    // Where a changed element's new bytes wait for Store: each element has
    // its own place, since overlapping elements may both change.
    std::span<uint8_t> NewBytes(int element) {
        const ModuleElement& e = *m_module.m_elements[static_cast<size_t>(element)];
        return {m_newBytes.data() + m_newBytesAt[static_cast<size_t>(element)], e.size};
    }

    // The changed values in element order, each as EntryStore stores a
    // value, into a copy of the entry; a value a later element writes over
    // never arrives, and is a bad cell rather than a silent loss.
    bool Store(size_t row, std::span<const uint8_t> old) {
        std::copy(old.begin(), old.end(), m_bytes.begin());
        bool ok = true;
        for (const int element : m_changed) {
            const EntryStore::Outcome stored = EntryStore::StoreValue(
                    m_module, element, NewBytes(element), m_bytes, m_coverable[static_cast<size_t>(element)]);
            if (!stored.Refused()) continue;
            m_problems.AddCell(
                    row, ColumnOf(element),
                    QlmCoveredText(m_module.m_elements[static_cast<size_t>(element)]->name,
                                   m_module.m_elements[static_cast<size_t>(stored.covering)]->name));
            ok = false;
        }
        return ok;
    }

    size_t ColumnOf(int element) const {
        return static_cast<size_t>(std::find(m_columns.begin(), m_columns.end(), element) -
                                   m_columns.begin()) +
               2;
    }

    const CTableModule& m_module;
    std::span<const uint8_t> m_table;
    std::span<uint8_t> m_writable;
    InputRules m_rules;
    ProblemList& m_problems;
    TableText m_text;
    std::unordered_map<std::string_view, int> m_entries;
    // The row that named each entry; 0 for none yet.
    std::vector<size_t> m_rowOf;
    // Element of each column after the first.
    std::vector<int> m_columns;
    // The elements of the row whose cells change them.
    std::vector<int> m_changed;
    std::vector<uint8_t> m_newBytes;
    std::vector<size_t> m_newBytesAt;
    std::string m_shown;
    // The row's entry as Store makes it.
    std::vector<uint8_t> m_bytes;
    ImportedEntries m_result;
    std::vector<int> m_changedEntries;
    // Per element: whether ShownReadsBack, and EntryStore::Coverable.
    std::vector<bool> m_readsBack;
    std::vector<bool> m_coverable;
    // Per element: a dropbox's names and labels to their items.
    std::vector<std::unordered_map<std::string, int, TextHash, std::equal_to<>>> m_dropboxItems;
};

} // namespace

std::string TableImport::Problems::Text() const {
    std::string lines;
    for (const std::string& line : listed)
        lines += (lines.empty() ? "" : "\n") + line;
    return ImportProblemsText(lines, listed.size(), count);
}

namespace {

// The header, then every row; false when anything is wrong.
bool ReadTable(const CTableModule& module, size_t tableSize, std::string_view csv, RowReader& rows,
               ProblemList& problems) {
    if (tableSize <
        uint64_t{module.m_nEntryLength} * static_cast<uint64_t>(std::max(module.m_nEntryCount, 0))) {
        problems.Add(kIncompatibleText);
        return false;
    }
    CsvReader reader(csv);
    std::vector<std::string_view> cells;
    Result<bool, std::string> next = reader.Next(cells);
    if (!next || !next.Value()) {
        problems.Add(next ? ImportCellText(1, 1, kImportNoHeader) : next.Error());
        return false;
    }
    if (!rows.ReadHeader(cells)) return false;
    // Room for as many changed entries as the file can hold rows (each at
    // least a comma per column and a line end), so a long import never
    // regrows its list; without a pass over the file to count them.
    rows.Reserve(std::min(csv.size() / (cells.size() + 1),
                          static_cast<size_t>(std::max(module.m_nEntryCount, 0))));
    while ((next = reader.Next(cells)) && next.Value())
        rows.ReadRow(reader.Row(), cells);
    if (!next) problems.Add(next.Error());
    return problems.Empty();
}

} // namespace

TableImport::Outcome TableImport::Read(const CTableModule& module, std::span<const uint8_t> table,
                                       std::string_view csv, InputRules rules) {
    ProblemList problems;
    RowReader rows(module, table, {}, rules, problems);
    if (!ReadTable(module, table.size(), csv, rows, problems)) return Outcome::Failure(problems.Take());
    return rows.TakeResult();
}

TableImport::InPlaceOutcome TableImport::ReadInPlace(const CTableModule& module, std::span<uint8_t> table,
                                                     std::string_view csv, InputRules rules) {
    ProblemList problems;
    RowReader rows(module, table, table, rules, problems);
    if (!ReadTable(module, table.size(), csv, rows, problems))
        return InPlaceOutcome::Failure(problems.Take());
    return rows.TakeChangedEntries();
}
