// Feeds arbitrary bytes to the CSV reader and to the table import built on
// it. Imported files come from anywhere (spreadsheets, scripts, hand edits):
// the reader must refuse damage with a message, never crash; whatever it
// reads must write back to a text that reads into the same records; and an
// import either changes whole entries of the table or lists bad cells.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "document/CsvReader.h"
#include "document/CsvWriter.h"
#include "document/TableImport.h"
#include "table/CTableModule.h"
#include "table/ElementStyle.h"

namespace {

using Records = std::vector<std::vector<std::string>>;

bool ReadAll(std::string_view text, Records& records) {
    CsvReader reader(text);
    std::vector<std::string_view> cells;
    for (;;) {
        const Result<bool, std::string> next = reader.Next(cells);
        if (!next) return false;
        if (!next.Value()) return true;
        records.emplace_back(cells.begin(), cells.end());
    }
}

ModuleElement Element(const char* name, uint32_t offset, uint32_t size, uint8_t style) {
    ModuleElement e;
    e.name = name;
    e.offset = offset;
    e.size = size;
    e.style = style;
    if (style & STYLE_DROPBOX) {
        e.values = {1, 2, 1};
        e.valueNames = {"One", "Two", "Uno"};
        e.valueCount = 3;
    }
    return e;
}

// Four entries of eight bytes, one element of each kind, overlapping at the
// end so the covered-value rule runs too.
CTableModule& Module() {
    static CTableModule* module = [] {
        auto* m = new CTableModule();
        m->m_nEntryCount = 4;
        m->m_nEntryLength = 8;
        for (int i = 0; i < 4; ++i)
            m->m_entryNames.AppendBare();
        m->AddElement(Element("N", 0, 2, 0));
        m->AddElement(Element("S", 2, 1, STYLE_SIGNED));
        m->AddElement(Element("T", 3, 2, STYLE_TEXT));
        m->AddElement(Element("A", 5, 2, STYLE_HEXARRAY));
        m->AddElement(Element("D", 7, 1, STYLE_DROPBOX));
        m->AddElement(Element("O", 6, 1, STYLE_HEX));
        return m;
    }();
    return *module;
}

// Both ways of reading agree: the same refusal, or the same entries with
// the same bytes.
void CheckImport(std::string_view text, InputRules rules) {
    const std::vector<uint8_t> table(32, 1);
    const TableImport::Outcome outcome = TableImport::Read(Module(), table, text, rules);
    std::vector<uint8_t> inPlace = table;
    const TableImport::InPlaceOutcome applied = TableImport::ReadInPlace(Module(), inPlace, text, rules);
    if (!outcome) {
        if (outcome.Error().count == 0 || outcome.Error().listed.empty() ||
            outcome.Error().listed.size() > TableImport::kListedProblems || applied ||
            applied.Error().Text() != outcome.Error().Text())
            std::abort();
        return;
    }
    if (outcome.Value().EntryLength() != 8 || !applied || applied.Value().size() != outcome.Value().size())
        std::abort();
    std::vector<uint8_t> expected = table;
    int last = -1;
    for (size_t i = 0; i < outcome.Value().size(); ++i) {
        const ImportedEntry e = outcome.Value()[i];
        if (e.entry <= last || e.entry >= 4 || applied.Value()[i] != e.entry) std::abort();
        std::copy(e.bytes.begin(), e.bytes.end(), expected.begin() + 8 * e.entry);
        last = e.entry;
    }
    if (expected != inPlace) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckImport(text, InputRules::Strict);
    CheckImport(text, InputRules::Form);

    Records first;
    if (!ReadAll(text, first)) return 0;
    std::ostringstream written;
    CsvWriter writer(written);
    for (const auto& record : first) {
        for (const auto& cell : record)
            writer.Cell(cell);
        writer.EndRecord();
    }
    Records second;
    if (!ReadAll(written.str(), second) || second != first) std::abort();
    return 0;
}
