#include "document/TableExport.h"

#include <algorithm>
#include <string>

#include "document/TableText.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

namespace {

// Large enough that a write costs nothing beside the formatting, small
// enough to stay in the cache.
constexpr size_t kBlock = size_t{1} << 18;

} // namespace

void TableExport::QuoteTail(std::string& buffer, size_t start) {
    const std::string_view cell = std::string_view(buffer).substr(start);
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) return;
    const auto quotes = static_cast<size_t>(std::count(cell.begin(), cell.end(), '"'));
    const size_t oldEnd = buffer.size();
    buffer.resize(oldEnd + quotes + 2);
    // From the back, so every byte moves once.
    char* to = buffer.data() + buffer.size();
    *--to = '"';
    for (size_t from = oldEnd; from-- > start;) {
        *--to = buffer[from];
        if (buffer[from] == '"') *--to = '"';
    }
    *--to = '"';
}

bool TableExport::Write(const CTableModule& module, std::span<const uint8_t> table, const Sink& sink) {
    std::string buffer;
    buffer.reserve(kBlock + 4096);
    const auto cell = [&buffer](std::string_view text) {
        const size_t start = buffer.size();
        buffer += text;
        QuoteTail(buffer, start);
    };
    cell(kQlmEntryHeading);
    for (int i = 0; i < module.m_nElements; ++i) {
        buffer.push_back(',');
        cell(module.GetElementName(i));
    }
    buffer += "\r\n";

    const TableText text(module);
    const size_t length = module.m_nEntryLength;
    const auto count = static_cast<size_t>(std::max(module.m_nEntryCount, 0));
    for (size_t entry = 0; entry < count && (entry + 1) * length <= table.size(); ++entry) {
        cell(entry < module.m_entryNames.size() ? module.m_entryNames[entry] : std::string_view());
        const std::span<const uint8_t> bytes = table.subspan(entry * length, length);
        for (int i = 0; i < module.m_nElements; ++i) {
            buffer.push_back(',');
            const size_t start = buffer.size();
            text.Append(buffer, i, bytes);
            QuoteTail(buffer, start);
        }
        buffer += "\r\n";
        if (buffer.size() >= kBlock) {
            if (!sink(buffer)) return false;
            buffer.clear();
        }
    }
    return buffer.empty() || sink(buffer);
}
