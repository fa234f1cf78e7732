#include "DiffCommand.h"

#include <algorithm>
#include <span>

#include "InterruptedSave.h"
#include "ModuleProblem.h"
#include "document/CsvWriter.h"
#include "document/ElementDisplay.h"
#include "document/RomFile.h"
#include "module/LoadModuleFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/HexText.h"

namespace {

constexpr int kSame = 0;
constexpr int kDiffer = 1;
constexpr int kTrouble = 2;

using Bytes = std::span<const uint8_t>;

Bytes EntryOf(const CTableModule& module, const RomFile& rom, int entry) {
    const uint64_t at = module.m_nBaseOffset + uint64_t{module.m_nEntryLength} * static_cast<uint64_t>(entry);
    return {rom.Data() + at, module.m_nEntryLength};
}

bool SameBytes(const ModuleElement& e, Bytes a, Bytes b) {
    return std::equal(a.begin() + e.offset, a.begin() + e.offset + e.size, b.begin() + e.offset);
}

// One row per element whose text differs; bytes alone may differ where the
// text does not show them (a text's tail after its NUL), which is no row.
bool WriteTableRows(const CTableModule& module, const RomFile& a, const RomFile& b, CsvWriter& csv) {
    bool differ = false;
    for (int entry = 0; entry < module.m_nEntryCount; ++entry) {
        const Bytes before = EntryOf(module, a, entry);
        const Bytes after = EntryOf(module, b, entry);
        if (std::equal(before.begin(), before.end(), after.begin())) continue;
        for (int i = 0; i < module.m_nElements; ++i) {
            if (SameBytes(*module.m_elements[static_cast<size_t>(i)], before, after)) continue;
            const std::string was = ElementDisplay::Show(module, i, before);
            const std::string is = ElementDisplay::Show(module, i, after);
            if (was == is) continue;
            const auto label = static_cast<size_t>(entry);
            csv.Cell(label < module.m_entryNames.size() ? module.m_entryNames[label] : "");
            csv.Cell(module.GetElementName(i));
            csv.Cell(was);
            csv.Cell(is);
            csv.EndRecord();
            differ = true;
        }
    }
    return differ;
}

// The runs in [begin, end) of both images whose bytes differ.
bool WriteByteRanges(const RomFile& a, const RomFile& b, uint64_t begin, uint64_t end, CsvWriter& csv) {
    bool differ = false;
    for (uint64_t at = begin; at < end;) {
        const auto first = std::mismatch(a.Data() + at, a.Data() + end, b.Data() + at).first;
        at = static_cast<uint64_t>(first - a.Data());
        if (at == end) break;
        const auto last =
                std::mismatch(a.Data() + at, a.Data() + end, b.Data() + at, [](uint8_t x, uint8_t y) {
                    return x != y;
                }).first;
        const auto stop = static_cast<uint64_t>(last - a.Data());
        csv.Cell(HexText::Number(at));
        csv.Cell(HexText::Number(stop - at));
        csv.EndRecord();
        differ = true;
        at = stop;
    }
    return differ;
}

} // namespace

int DiffCommand::Run(const std::vector<std::string>& operands, bool bytes, std::ostream& out,
                     std::ostream& err) {
    const std::string& path = operands.at(0);
    const ModuleFileResult loaded = LoadModuleFile(path);
    if (!loaded) {
        err << ModuleProblem(path, loaded.Error()) << '\n';
        return kTrouble;
    }
    CTableModule& module = *loaded.Value();
    RomFile roms[2];
    for (int i = 0; i < 2; ++i) {
        const std::string& romPath = operands.at(static_cast<size_t>(1 + i));
        if (!InterruptedSave::UndoBefore(romPath, err)) return kTrouble;
        if (const FileResult opened = roms[i].Open(romPath); !opened) {
            err << opened.Error() << '\n';
            return kTrouble;
        }
        // SelectEntry refuses a table the image cannot hold, and an element
        // reaching past its entry.
        if (!module.SelectEntry(0, roms[i].Data(), roms[i].Length())) {
            err << QlmDiffIncompatibleText(romPath) << '\n';
            return kTrouble;
        }
    }
    const RomFile& a = roms[0];
    const RomFile& b = roms[1];
    if (a.Length() != b.Length())
        err << QlmDiffLengthsText(operands[1], a.Length(), operands[2], b.Length()) << '\n';
    out << kQlmDiffHeader;
    CsvWriter csv(out);
    bool differ = WriteTableRows(module, a, b, csv);
    if (bytes) {
        const uint64_t tableBegin = module.m_nBaseOffset;
        const uint64_t tableEnd =
                tableBegin + uint64_t{module.m_nEntryLength} * static_cast<uint64_t>(module.m_nEntryCount);
        const uint64_t common = std::min(a.Length(), b.Length());
        out << kQlmDiffBytesHeader;
        differ = WriteByteRanges(a, b, 0, tableBegin, csv) || differ;
        differ = WriteByteRanges(a, b, tableEnd, common, csv) || differ;
    }
    if (!out.flush()) {
        err << kQlmOutputFailed << '\n';
        return kTrouble;
    }
    return differ ? kDiffer : kSame;
}
