#include "SetCommand.h"

#include <algorithm>

#include "InterruptedSave.h"
#include "ModuleProblem.h"
#include "document/ElementInput.h"
#include "document/EntryStore.h"
#include "document/RomDocument.h"
#include "document/StrictNumber.h"
#include "module/LoadModuleFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/ElementStyle.h"

namespace {

int Refuse(std::ostream& err, const std::string& problem) {
    err << problem << '\n';
    return 1;
}

} // namespace

Result<int, std::string> SetCommand::FindEntry(const CTableModule& module, const std::string& text) {
    // Stricter than the module files' number rule on purpose: "12a" or a
    // stray "-" would otherwise name some other entry and overwrite it.
    const std::optional<uint32_t> entry = StrictNumber::Parse(text);
    if (entry && *entry < static_cast<uint32_t>(module.m_nEntryCount)) return static_cast<int>(*entry);
    return Result<int, std::string>::Failure(QlmNoEntryText(text, module.m_nEntryCount));
}

Result<int, std::string> SetCommand::FindElement(const CTableModule& module, const std::string& text) {
    for (int i = 0; i < module.m_nElements; ++i)
        if (module.GetElementName(i) == text) return i;
    const std::optional<uint32_t> index = StrictNumber::Parse(text);
    if (index && *index < static_cast<uint32_t>(module.m_nElements)) return static_cast<int>(*index);
    return Result<int, std::string>::Failure(QlmNoElementText(text));
}

int SetCommand::Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err,
                    InputRules rules, RomDocument::InPlace inPlace) {
    const std::string& modulePath = operands.at(0);
    const std::string& romPath = operands.at(1);
    const ModuleFileResult loaded = LoadModuleFile(modulePath);
    if (!loaded) return Refuse(err, ModuleProblem(modulePath, loaded.Error()));
    CTableModule& module = *loaded.Value();
    // Locked from here to the last write, so parallel runs on one ROM each
    // see the others' edits instead of overwriting them with stale bytes.
    RomDocument rom;
    if (const FileResult opened = rom.OpenLocked(romPath); !opened) return Refuse(err, opened.Error());
    InterruptedSave::Report(rom, romPath, err);
    if (!module.FitsIn(static_cast<uint32_t>(rom.FileLength()))) return Refuse(err, kIncompatibleText);
    const Result<int, std::string> entry = FindEntry(module, operands.at(2));
    if (!entry) return Refuse(err, entry.Error());
    const Result<int, std::string> element = FindElement(module, operands.at(3));
    if (!element) return Refuse(err, element.Error());
    const Result<std::vector<uint8_t>, std::string> bytes =
            ElementInput::Read(module, element.Value(), operands.at(4), rules);
    if (!bytes) return Refuse(err, bytes.Error());

    if (module.m_elements[static_cast<size_t>(element.Value())]->style & STYLE_BISCUIT)
        out << kBiscuitText << '\n';
    // Only the entry is read: the module fits, so it lies inside the file.
    const uint64_t offset =
            module.m_nBaseOffset + uint64_t{module.m_nEntryLength} * static_cast<uint64_t>(entry.Value());
    if (const FileResult read = rom.ReadRange(offset, module.m_nEntryLength); !read)
        return Refuse(err, read.Error());
    const EntryStore::Outcome stored =
            EntryStore::StoreValue(module, element.Value(), bytes.Value(), {rom.Data(), rom.Length()});
    if (stored.Refused())
        return Refuse(err, QlmCoveredText(module.GetElementName(element.Value()),
                                          module.GetElementName(stored.covering)));
    if (const FileResult saved = rom.WriteRanges(CoveredRanges(module), inPlace); !saved)
        return Refuse(err, saved.Error());
    return 0;
}

std::vector<std::pair<uint32_t, uint32_t>> SetCommand::CoveredRanges(const CTableModule& module) {
    std::vector<bool> covered(module.m_nEntryLength, false);
    for (const auto& e : module.m_elements)
        std::fill_n(covered.begin() + e->offset, e->size, true);
    std::vector<std::pair<uint32_t, uint32_t>> ranges;
    for (uint32_t i = 0; i < module.m_nEntryLength;) {
        if (!covered[i]) {
            ++i;
            continue;
        }
        uint32_t end = i;
        while (end < module.m_nEntryLength && covered[end])
            ++end;
        ranges.emplace_back(i, end);
        i = end;
    }
    return ranges;
}
