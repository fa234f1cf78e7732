#include "ImportCommand.h"

#include <ostream>

#include "InterruptedSave.h"
#include "ModuleProblem.h"
#include "document/RomDocument.h"
#include "module/LoadModuleFile.h"
#include "platform/files/CFile.h"
#include "platform/files/FileContents.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

namespace {

int Refuse(std::ostream& err, const std::string& problem) {
    err << problem << '\n';
    return 1;
}

} // namespace

int ImportCommand::Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err,
                       InputRules rules, RomDocument::InPlace inPlace) {
    const std::string& modulePath = operands.at(0);
    const std::string& csvPath = operands.at(2);
    const ModuleFileResult loaded = LoadModuleFile(modulePath);
    if (!loaded) return Refuse(err, ModuleProblem(modulePath, loaded.Error()));
    const CTableModule& module = *loaded.Value();
    FileContents csv;
    if (const int error = csv.Read(csvPath); error != 0)
        return Refuse(err, CannotText(FileAction::Read, csvPath, CFile::ErrorText(error)));

    RomDocument rom;
    if (const FileResult opened = rom.OpenLocked(operands.at(1)); !opened) return Refuse(err, opened.Error());
    InterruptedSave::Report(rom, operands.at(1), err);
    if (!module.FitsIn(static_cast<uint32_t>(rom.FileLength())) || module.m_nEntryCount < 0)
        return Refuse(err, kIncompatibleText);
    // The table alone: what lies around it is never read or written.
    const uint32_t length = module.m_nEntryLength;
    const auto tableLength =
            static_cast<uint32_t>(uint64_t{length} * static_cast<uint64_t>(module.m_nEntryCount));
    if (const FileResult read = rom.ReadRange(module.m_nBaseOffset, tableLength); !read)
        return Refuse(err, read.Error());

    // The image is this command's own: a refusal leaves the file alone
    // whatever the import did to the image.
    const TableImport::InPlaceOutcome imported =
            TableImport::ReadInPlace(module, {rom.Data(), rom.Length()}, csv.Text(), rules);
    if (!imported) return Refuse(err, imported.Error().Text());
    const std::vector<int>& entries = imported.Value();
    if (const FileResult saved = rom.WriteRanges(Ranges(entries, length), inPlace); !saved)
        return Refuse(err, saved.Error());
    // The ROM is written now; a report that cannot be printed must not
    // leave a script believing nothing changed.
    if (!(out << ImportChangedText(entries.size()) << '\n' << std::flush))
        return Refuse(err, ImportChangedNoOutputText(entries.size()));
    return 0;
}

std::vector<std::pair<uint32_t, uint32_t>> ImportCommand::Ranges(const std::vector<int>& entries,
                                                                 uint32_t length) {
    std::vector<std::pair<uint32_t, uint32_t>> ranges;
    for (const int entry : entries) {
        const uint32_t begin = length * static_cast<uint32_t>(entry);
        if (!ranges.empty() && ranges.back().second == begin)
            ranges.back().second += length;
        else
            ranges.emplace_back(begin, begin + length);
    }
    return ranges;
}
