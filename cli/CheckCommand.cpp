#include "CheckCommand.h"

#include "ModuleProblem.h"
#include "module/LoadModuleFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

std::string CheckCommand::Summary(const CTableModule& module) {
    return QlmCheckSummary(module.m_strName, module.m_nEntryCount, module.m_nEntryLength,
                           module.m_nBaseOffset, module.m_nElements);
}

int CheckCommand::Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
    const std::string& path = operands.at(0);
    const ModuleFileResult module = LoadModuleFile(path);
    if (!module) {
        err << ModuleProblem(path, module.Error()) << '\n';
        return 1;
    }
    out << Summary(*module.Value()) << '\n';
    return 0;
}
