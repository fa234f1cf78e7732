#include "DumpCommand.h"

#include "ModuleProblem.h"
#include "document/CsvWriter.h"
#include "document/ElementDisplay.h"
#include "document/RomFile.h"
#include "module/LoadModuleFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

void DumpCommand::WriteTable(CTableModule& module, const RomFile& rom, std::ostream& out) {
    CsvWriter csv(out);
    csv.Cell(kQlmEntryHeading);
    for (int i = 0; i < module.m_nElements; ++i)
        csv.Cell(module.GetElementName(i));
    csv.EndRecord();
    const auto length = static_cast<uint32_t>(rom.Length());
    for (int entry = 0; entry < module.m_nEntryCount; ++entry) {
        module.SelectEntry(entry, rom.Data(), length);
        csv.Cell(module.m_entryNames[static_cast<size_t>(entry)]);
        for (int i = 0; i < module.m_nElements; ++i)
            csv.Cell(ElementDisplay::Show(module, i));
        csv.EndRecord();
    }
}

int DumpCommand::Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
    const std::string& path = operands.at(0);
    const ModuleFileResult module = LoadModuleFile(path);
    if (!module) {
        err << ModuleProblem(path, module.Error()) << '\n';
        return 1;
    }
    RomFile rom;
    if (const FileResult opened = rom.Open(operands.at(1)); !opened) {
        err << opened.Error() << '\n';
        return 1;
    }
    if (!module.Value()->SelectEntry(0, rom.Data(), rom.Length())) {
        err << kIncompatibleText << '\n';
        return 1;
    }
    WriteTable(*module.Value(), rom, out);
    return 0;
}
