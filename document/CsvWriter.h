#pragma once

#include <ostream>
#include <string>
#include <string_view>

// Writes CSV records with RFC 4180 quoting. Cells are byte strings and go
// out unchanged apart from the quoting, so text in any encoding survives.
// The quoting is the one every CSV the program writes goes through; it works
// in place so the table export quotes inside its output buffer.
class CsvWriter {
public:
    explicit CsvWriter(std::ostream& out) : m_out(out) {}

    void Cell(std::string_view text);
    void EndRecord();

    static bool NeedsQuotes(char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; }
    static bool NeedsQuotes(std::string_view cell);
    // Wraps the cell in [start, end) in quotes, doubling those inside; the
    // buffer must have room after `end` for the quotes added. Returns the
    // cell's new end.
    static char* QuoteInPlace(char* start, char* end);
    // Quotes the cell that starts at `start` in place when it needs quotes.
    static void QuoteTail(std::string& buffer, size_t start);
    static std::string Quote(std::string_view text);

private:
    std::ostream& m_out;
    bool m_recordStarted = false;
};
