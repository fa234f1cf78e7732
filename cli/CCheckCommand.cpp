#include "CCheckCommand.h"

#include <cstdio>

#include "CModuleOpener.h"
#include "table/CTableModule.h"

namespace {

std::string Counted(long long n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

std::string CCheckCommand::Summary(const CTableModule& module) {
    char base[16];
    std::snprintf(base, sizeof base, "0x%X", module.m_nBaseOffset);
    return module.m_strName + ": " + Counted(module.m_nEntryCount, "entry", "entries") + " of " +
           Counted(module.m_nEntryLength, "byte", "bytes") + ", base offset " + base + ", " +
           Counted(module.m_nElements, "element", "elements");
}

int CCheckCommand::Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
    std::string problem;
    const auto module = CModuleOpener::Open(operands.at(0), problem);
    if (!module) {
        err << problem << '\n';
        return 1;
    }
    out << Summary(*module) << '\n';
    return 0;
}
