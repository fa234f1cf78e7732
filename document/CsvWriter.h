#pragma once

#include <ostream>
#include <string>
#include <string_view>

// Writes CSV records with RFC 4180 quoting. Cells are byte strings and go
// out unchanged apart from the quoting, so text in any encoding survives.
class CsvWriter {
public:
    explicit CsvWriter(std::ostream& out) : m_out(out) {}

    void Cell(std::string_view text);
    void EndRecord();

    static std::string Quote(std::string_view text);

private:
    std::ostream& m_out;
    bool m_recordStarted = false;
};
