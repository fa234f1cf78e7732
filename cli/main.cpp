// qlm: Quillmoor's command-line front end for module authors and scripts.
#include <iostream>
#include <string>
#include <vector>

#include "CheckCommand.h"
#include "CommandLine.h"
#include "DiffCommand.h"
#include "DumpCommand.h"
#include "ImportCommand.h"
#include "LayoutCommand.h"
#include "PatchCommand.h"
#include "SetCommand.h"
#include "res/StringTable.h"

namespace {

InputRules Rules(const CommandLine& line) {
    return line.FormRules() ? InputRules::Form : InputRules::Strict;
}

RomDocument::InPlace InPlace(const CommandLine& line) {
    return line.UnsafeInPlace() ? RomDocument::InPlace::UnsafeAllowed : RomDocument::InPlace::Safe;
}

int Dispatch(const CommandLine& line) {
    switch (line.GetCommand()) {
    case CommandLine::Command::Help:
        std::cout << kQlmUsage;
        return 0;
    case CommandLine::Command::Check:
        return CheckCommand::Run(line.GetOperands(), {line.Warnings(), line.Strict()}, std::cout, std::cerr);
    case CommandLine::Command::Dump:
        return DumpCommand::Run(line.GetOperands(), std::cout, std::cerr);
    case CommandLine::Command::Set:
        return SetCommand::Run(line.GetOperands(), std::cout, std::cerr, Rules(line), InPlace(line));
    case CommandLine::Command::Import:
        return ImportCommand::Run(line.GetOperands(), std::cout, std::cerr, Rules(line), InPlace(line));
    case CommandLine::Command::Layout:
        return LayoutCommand::Run(line.GetOperands(), std::cout, std::cerr);
    case CommandLine::Command::Diff:
        return DiffCommand::Run(line.GetOperands(), line.Bytes(), std::cout, std::cerr);
    case CommandLine::Command::PatchCreate:
        return PatchCommand::Create(line.GetOperands(), line.GetPatchFormat(), std::cerr);
    case CommandLine::Command::PatchApply:
        return PatchCommand::Apply(line.GetOperands(), std::cerr);
    case CommandLine::Command::Invalid:
        break;
    }
    std::cerr << QlmCommandLineText(line.GetProblem());
    return 2;
}

// Every command writes its results to standard output and its complaints to
// standard error. On a terminal, or with both sent to one file, the lines must
// appear in the order they were written, but standard output is buffered and
// standard error is not: flushing the one before each write to the other keeps
// that order for every command.
void FlushOutputBeforeErrors() {
    std::cerr.tie(&std::cout);
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    FlushOutputBeforeErrors();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "qlm " << QUILL_VERSION << '\n';
        return std::cout.flush() ? 0 : 1;
    }
    int code = Dispatch(CommandLine::Parse(args));
    // A full disk or a closed pipe must not pass for a complete dump.
    std::cout.flush();
    if (!std::cout && code == 0) {
        std::cerr << kQlmOutputFailed << '\n';
        code = 1;
    }
    return code;
}
