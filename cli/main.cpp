// qlm: Quillmoor's command-line front end for module authors and scripts.
#include <iostream>
#include <string>
#include <vector>

#include "CCheckCommand.h"
#include "CCommandLine.h"
#include "CDumpCommand.h"
#include "CSetCommand.h"

namespace {

int Dispatch(const CCommandLine& line) {
    switch (line.GetCommand()) {
    case CCommandLine::Command::Help:
        std::cout << CCommandLine::Usage();
        return 0;
    case CCommandLine::Command::Check:
        return CCheckCommand::Run(line.GetOperands(), std::cout, std::cerr);
    case CCommandLine::Command::Dump:
        return CDumpCommand::Run(line.GetOperands(), std::cout, std::cerr);
    case CCommandLine::Command::Set:
        return CSetCommand::Run(line.GetOperands(), std::cout, std::cerr);
    case CCommandLine::Command::Invalid:
        break;
    }
    std::cerr << "qlm: " << line.GetProblem() << "\n\n" << CCommandLine::Usage();
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    int code = Dispatch(CCommandLine::Parse(args));
    // A full disk or a closed pipe must not pass for a complete dump.
    std::cout.flush();
    if (!std::cout && code == 0) {
        std::cerr << "qlm: cannot write to standard output\n";
        code = 1;
    }
    return code;
}
