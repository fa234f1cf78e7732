#include "DumpCommand.h"

#include "InterruptedSave.h"
#include "ModuleProblem.h"
#include "document/RomFile.h"
#include "document/TableExport.h"
#include "module/LoadModuleFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

int DumpCommand::Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
    const std::string& path = operands.at(0);
    const ModuleFileResult module = LoadModuleFile(path);
    if (!module) {
        err << ModuleProblem(path, module.Error()) << '\n';
        return 1;
    }
    if (!InterruptedSave::UndoBefore(operands.at(1), err)) return 1;
    RomFile rom;
    if (const FileResult opened = rom.Open(operands.at(1)); !opened) {
        err << opened.Error() << '\n';
        return 1;
    }
    if (!module.Value()->SelectEntry(0, rom.Data(), rom.Length())) {
        err << kIncompatibleText << '\n';
        return 1;
    }
    const CTableModule& table = *module.Value();
    const size_t length = size_t{table.m_nEntryLength} * static_cast<size_t>(table.m_nEntryCount);
    // A failed write shows in the stream's state, which main reports.
    TableExport::Write(table, {rom.Data() + table.m_nBaseOffset, length}, [&out](std::string_view block) {
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
        return static_cast<bool>(out);
    });
    return 0;
}
