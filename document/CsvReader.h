#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "table/Result.h"

// Reads CSV records the way CsvWriter writes them (RFC 4180): cells split
// at commas, a cell in double quotes may hold commas, line ends and doubled
// quotes, records end at LF or CR LF. Cells are byte strings kept as they
// are; nothing is trimmed or decoded. A lone CR outside quotes is a byte of
// its cell, and a quote inside an unquoted cell is taken literally.
class CsvReader {
public:
    explicit CsvReader(std::string_view text) : m_text(text) {}

    // Fills `cells` with the next record, true for a record, false at the
    // end of the text, or the message naming the row that cannot be read.
    // The cells view the text, or the reader for a cell with doubled
    // quotes; they stay valid until the next call, so a long file costs no
    // copy of a cell.
    Result<bool, std::string> Next(std::vector<std::string_view>& cells);
    // The 1-based number of the record Next returned last.
    size_t Row() const { return m_row; }

private:
    // Reads one cell; the position ends at its separator.
    Result<std::string_view, std::string> ReadQuoted();
    std::string_view ReadPlain();
    // Steps over "," (true: another cell follows) or a line end.
    bool EndOfCell();

    std::string_view m_text;
    size_t m_at = 0;
    size_t m_row = 0;
    // Cells whose doubled quotes were undone, for the current record; a
    // deque, so a cell already viewed never moves.
    std::deque<std::string> m_unquoted;
    size_t m_unquotedUsed = 0;
};
