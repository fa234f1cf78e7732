#include "document/TableExport.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "document/CsvWriter.h"
#include "document/TableText.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

namespace {

// Large enough that a write costs nothing beside the formatting, small
// enough to stay in the cache.
constexpr size_t kBlock = size_t{1} << 18;

} // namespace

bool TableExport::Write(const CTableModule& module, std::span<const uint8_t> table, const Sink& sink) {
    std::string header;
    const auto cell = [&header](std::string_view text) {
        const size_t start = header.size();
        header += text;
        CsvWriter::QuoteTail(header, start);
    };
    cell(kQlmEntryHeading);
    for (int i = 0; i < module.m_nElements; ++i) {
        header.push_back(',');
        cell(module.GetElementName(i));
    }
    header += "\r\n";
    if (!sink(header)) return false;

    const TableText text(module);
    // The most one row can take beside its label: every cell at its longest,
    // a comma before each, the line end.
    size_t rowRoom = 2;
    for (int i = 0; i < module.m_nElements; ++i)
        rowRoom += text.MaxLength(i) + 1;
    const size_t length = module.m_nEntryLength;
    const auto count = static_cast<size_t>(std::max(module.m_nEntryCount, 0));
    std::string buffer(kBlock, '\0');
    size_t used = 0;
    for (size_t entry = 0; entry < count && (entry + 1) * length <= table.size(); ++entry) {
        const std::string_view label = entry < module.m_entryNames.size() ? module.m_entryNames[entry] : "";
        const size_t room = rowRoom + 2 * label.size() + 2;
        if (used + room > buffer.size()) {
            if (!sink(std::string_view(buffer).substr(0, used))) return false;
            used = 0;
            if (room > buffer.size()) buffer.resize(room);
        }
        char* at = buffer.data() + used;
        const size_t labelStart = used;
        std::memcpy(at, label.data(), label.size());
        if (CsvWriter::NeedsQuotes(label)) {
            // Rare: a named label with a comma or quote goes the slow way.
            std::string quoted(label);
            CsvWriter::QuoteTail(quoted, 0);
            std::memcpy(buffer.data() + labelStart, quoted.data(), quoted.size());
            at = buffer.data() + labelStart + quoted.size();
        } else {
            at += label.size();
        }
        const uint8_t* bytes = table.data() + entry * length;
        for (int i = 0; i < module.m_nElements; ++i) {
            *at++ = ',';
            at = text.Write(at, i, bytes, true);
        }
        *at++ = '\r';
        *at++ = '\n';
        used = static_cast<size_t>(at - buffer.data());
    }
    return used == 0 || sink(std::string_view(buffer).substr(0, used));
}
