#include "CheckCommand.h"

#include "ModuleProblem.h"
#include "document/ModuleLint.h"
#include "module/LoadModuleFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

int CheckCommand::Run(const std::vector<std::string>& operands, Options options, std::ostream& out,
                      std::ostream& err) {
    const std::string& path = operands.at(0);
    const ModuleFileResult module = LoadModuleFile(path);
    if (!module) {
        err << ModuleProblem(path, module.Error()) << '\n';
        return 1;
    }
    const CTableModule& m = *module.Value();
    out << QlmCheckSummary(m.m_strName, m.m_nEntryCount, m.m_nEntryLength, m.m_nBaseOffset, m.m_nElements)
        << '\n';
    if (!options.warnings) return 0;
    const std::vector<LintWarning> warnings = ModuleLint::Check(m);
    for (const LintWarning& warning : warnings)
        err << QlmWarningText(ShownPath(path, m.GetPath(), warning.at.file), warning.at.line, warning.text)
            << '\n';
    return options.strict && !warnings.empty() ? 1 : 0;
}
