#include "CDumpCommand.h"

#include "CCsvWriter.h"
#include "CElementDisplay.h"
#include "CModuleOpener.h"
#include "document/RomFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

void CDumpCommand::WriteTable(CTableModule& module, const RomFile& rom, std::ostream& out) {
    CCsvWriter csv(out);
    csv.Cell("Entry");
    for (int i = 0; i < module.m_nElements; ++i)
        csv.Cell(module.GetElementName(i));
    csv.EndRecord();
    const auto length = static_cast<uint32_t>(rom.Length());
    for (int entry = 0; entry < module.m_nEntryCount; ++entry) {
        module.SelectEntry(entry, rom.Data(), length);
        csv.Cell(module.m_entryNames[static_cast<size_t>(entry)]);
        for (int i = 0; i < module.m_nElements; ++i)
            csv.Cell(CElementDisplay::Show(module, i));
        csv.EndRecord();
    }
}

int CDumpCommand::Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
    std::string problem;
    const auto module = CModuleOpener::Open(operands.at(0), problem);
    if (!module) {
        err << problem << '\n';
        return 1;
    }
    RomFile rom;
    if (const FileResult opened = rom.Open(operands.at(1)); !opened) {
        err << opened.Message() << '\n';
        return 1;
    }
    if (!module->SelectEntry(0, rom.Data(), rom.Length())) {
        err << kIncompatibleText << '\n';
        return 1;
    }
    WriteTable(*module, rom, out);
    return 0;
}
