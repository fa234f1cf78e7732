#include "document/CsvReader.h"

#include <array>

#include "res/StringTable.h"

Result<bool, std::string> CsvReader::Next(std::vector<std::string_view>& cells) {
    // A text that ends with a line end has no empty record after it.
    if (m_at >= m_text.size()) return false;
    ++m_row;
    cells.clear();
    m_unquotedUsed = 0;
    for (bool more = true; more;) {
        if (m_at < m_text.size() && m_text[m_at] == '"') {
            const Result<std::string_view, std::string> quoted = ReadQuoted();
            if (!quoted) return Result<bool, std::string>::Failure(quoted.Error());
            cells.push_back(quoted.Value());
        } else {
            cells.push_back(ReadPlain());
        }
        more = EndOfCell();
    }
    return true;
}

Result<std::string_view, std::string> CsvReader::ReadQuoted() {
    using Cell = Result<std::string_view, std::string>;
    const size_t opened = m_row;
    const size_t start = ++m_at;
    // Only a cell with doubled quotes needs a copy of its own.
    std::string* unquoted = nullptr;
    for (;;) {
        const size_t quote = m_text.find('"', m_at);
        if (quote == std::string_view::npos) return Cell::Failure(CsvUnterminatedText(opened));
        // Line ends inside the quotes belong to the cell, not to the count of
        // records, so the row of a later problem is still the record's.
        const bool doubled = quote + 1 < m_text.size() && m_text[quote + 1] == '"';
        if (doubled && unquoted == nullptr) {
            if (m_unquotedUsed == m_unquoted.size()) m_unquoted.emplace_back();
            unquoted = &m_unquoted[m_unquotedUsed++];
            unquoted->clear();
        }
        if (unquoted != nullptr) unquoted->append(m_text.substr(m_at, quote - m_at + (doubled ? 1 : 0)));
        m_at = quote + (doubled ? 2 : 1);
        if (!doubled) break;
    }
    if (m_at < m_text.size() && m_text[m_at] != ',' && m_text[m_at] != '\n' &&
        !m_text.substr(m_at).starts_with("\r\n"))
        return Cell::Failure(CsvAfterQuoteText(opened));
    if (unquoted != nullptr) return std::string_view(*unquoted);
    return m_text.substr(start, m_at - 1 - start);
}

namespace {

// The bytes that may end a plain cell: one table look-up per byte of a file
// of many megabytes instead of three comparisons.
constexpr std::array<bool, 256> kMayEndCell = [] {
    std::array<bool, 256> table{};
    table[','] = table['\n'] = table['\r'] = true;
    return table;
}();

} // namespace

std::string_view CsvReader::ReadPlain() {
    const char* const begin = m_text.data() + m_at;
    const char* const end = m_text.data() + m_text.size();
    const char* at = begin;
    for (;;) {
        while (at != end && !kMayEndCell[static_cast<unsigned char>(*at)])
            ++at;
        // A CR ends the cell only before an LF.
        if (at == end || *at != '\r' || (at + 1 != end && at[1] == '\n')) break;
        ++at;
    }
    m_at += static_cast<size_t>(at - begin);
    return {begin, static_cast<size_t>(at - begin)};
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
