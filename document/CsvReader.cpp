#include "document/CsvReader.h"

#include "res/StringTable.h"

Result<bool, std::string> CsvReader::Next(std::vector<std::string>& cells) {
    // A text that ends with a line end has no empty record after it.
    if (m_at >= m_text.size()) return false;
    ++m_row;
    size_t used = 0;
    for (bool more = true; more;) {
        if (used == cells.size()) cells.emplace_back();
        std::string& cell = cells[used++];
        cell.clear();
        if (m_at < m_text.size() && m_text[m_at] == '"') {
            const Result<bool, std::string> quoted = ReadQuoted(cell);
            if (!quoted) return quoted;
        } else {
            ReadPlain(cell);
        }
        more = EndOfCell();
    }
    cells.resize(used);
    return true;
}

Result<bool, std::string> CsvReader::ReadQuoted(std::string& cell) {
    const size_t opened = m_row;
    ++m_at;
    for (;;) {
        const size_t quote = m_text.find('"', m_at);
        if (quote == std::string_view::npos)
            return Result<bool, std::string>::Failure(CsvUnterminatedText(opened));
        // Line ends inside the quotes belong to the cell, not to the count of
        // records, so the row of a later problem is still the record's.
        cell.append(m_text.substr(m_at, quote - m_at));
        m_at = quote + 1;
        if (m_at < m_text.size() && m_text[m_at] == '"') {
            cell.push_back('"');
            ++m_at;
            continue;
        }
        break;
    }
    if (m_at < m_text.size() && m_text[m_at] != ',' && m_text[m_at] != '\n' &&
        !m_text.substr(m_at).starts_with("\r\n"))
        return Result<bool, std::string>::Failure(CsvAfterQuoteText(opened));
    return true;
}

void CsvReader::ReadPlain(std::string& cell) {
    size_t end = m_at;
    while (end < m_text.size()) {
        const char c = m_text[end];
        if (c == ',' || c == '\n' || (c == '\r' && end + 1 < m_text.size() && m_text[end + 1] == '\n')) break;
        ++end;
    }
    cell.assign(m_text.substr(m_at, end - m_at));
    m_at = end;
}

bool CsvReader::EndOfCell() {
    if (m_at >= m_text.size()) return false;
    if (m_text[m_at] == ',') {
        ++m_at;
        return true;
    }
    m_at += m_text[m_at] == '\r' ? size_t{2} : size_t{1};
    return false;
}
