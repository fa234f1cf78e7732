#include "CCommandLine.h"

#include <cstddef>
#include <utility>

namespace {

struct CommandShape {
    const char* word;
    CCommandLine::Command command;
    std::size_t operands;
};

constexpr CommandShape kShapes[] = {
        {"check", CCommandLine::Command::Check, 1},
        {"dump", CCommandLine::Command::Dump, 2},
        {"set", CCommandLine::Command::Set, 5},
};

bool IsHelpWord(const std::string& word) {
    return word == "--help" || word == "-h" || word == "help";
}

} // namespace

CCommandLine::CCommandLine(Command command, std::vector<std::string> operands, std::string problem)
    : m_command(command), m_operands(std::move(operands)), m_problem(std::move(problem)) {}

CCommandLine CCommandLine::Parse(const std::vector<std::string>& args) {
    if (args.empty()) return {Command::Invalid, {}, "no command given"};
    if (IsHelpWord(args[0])) return {Command::Help, {}, {}};
    for (const CommandShape& shape : kShapes) {
        if (args[0] != shape.word) continue;
        std::vector<std::string> operands(args.begin() + 1, args.end());
        if (operands.size() != shape.operands) {
            return {Command::Invalid,
                    {},
                    "'" + args[0] + "' takes " + std::to_string(shape.operands) + " argument" +
                            (shape.operands == 1 ? "" : "s") + ", " + std::to_string(operands.size()) +
                            " given"};
        }
        return {shape.command, std::move(operands), {}};
    }
    return {Command::Invalid, {}, "unknown command '" + args[0] + "'"};
}

const char* CCommandLine::Usage() {
    return "Usage: qlm COMMAND ARGUMENTS\n"
           "\n"
           "Quillmoor's command-line companion for module authors and build scripts.\n"
           "\n"
           "Commands:\n"
           "  qlm check MODULE\n"
           "      Load MODULE and its side files as the editor does. Prints the title,\n"
           "      entry count, entry length, base offset and element count.\n"
           "  qlm dump MODULE ROM\n"
           "      Print every entry of the table in ROM as CSV: a header row, then one\n"
           "      row per entry with its label and each element as the editor shows it.\n"
           "  qlm set MODULE ROM ENTRY ELEMENT VALUE\n"
           "      Store VALUE into one element of one entry and write ROM in place.\n"
           "      ENTRY is a number (0x10 and 020 work too). ELEMENT is an element's\n"
           "      exact name or else its 0-based index. VALUE is read as the editor\n"
           "      reads that element's box; a dropbox takes a value's name or number.\n"
           "  qlm --help\n"
           "      Show this text.\n"
           "\n"
           "Exit status: 0 on success, 1 when a file or a value is refused,\n"
           "2 when the command line itself is wrong.\n";
}
