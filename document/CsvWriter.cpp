#include "document/CsvWriter.h"

namespace {

bool NeedsQuotes(std::string_view text) {
    return text.find_first_of(",\"\r\n") != std::string_view::npos;
}

} // namespace

std::string CsvWriter::Quote(std::string_view text) {
    if (!NeedsQuotes(text)) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
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
