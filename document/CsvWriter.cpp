#include "document/CsvWriter.h"

#include <algorithm>

bool CsvWriter::NeedsQuotes(std::string_view cell) {
    return std::any_of(cell.begin(), cell.end(), [](char c) { return NeedsQuotes(c); });
}

char* CsvWriter::QuoteInPlace(char* start, char* end) {
    const auto quotes = std::count(start, end, '"');
    char* const quotedEnd = end + quotes + 2;
    // From the back, so every byte moves once.
    char* to = quotedEnd;
    *--to = '"';
    for (char* from = end; from-- != start;) {
        *--to = *from;
        if (*from == '"') *--to = '"';
    }
    *--to = '"';
    return quotedEnd;
}

void CsvWriter::QuoteTail(std::string& buffer, size_t start) {
    const std::string_view cell = std::string_view(buffer).substr(start);
    if (!NeedsQuotes(cell)) return;
    const auto quotes = static_cast<size_t>(std::count(cell.begin(), cell.end(), '"'));
    const size_t end = buffer.size();
    buffer.resize(end + quotes + 2);
    QuoteInPlace(buffer.data() + start, buffer.data() + end);
}

std::string CsvWriter::Quote(std::string_view text) {
    std::string quoted(text);
    QuoteTail(quoted, 0);
    return quoted;
}

void CsvWriter::Cell(std::string_view text) {
    if (m_recordStarted) m_out << ',';
    m_out << Quote(text);
    m_recordStarted = true;
}

void CsvWriter::EndRecord() {
    // RFC 4180 ends every record with CR LF, the last one included.
    m_out << "\r\n";
    m_recordStarted = false;
}
