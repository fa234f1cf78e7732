#include "CommandLine.h"

#include <cstddef>
#include <utility>

#include "res/StringTable.h"

namespace {

struct CommandShape {
    const char* word;
    CommandLine::Command command;
    std::size_t operands;
};

constexpr CommandShape kShapes[] = {
        {"check", CommandLine::Command::Check, 1},
        {"dump", CommandLine::Command::Dump, 2},
        {"set", CommandLine::Command::Set, 5},
};

bool IsHelpWord(const std::string& word) {
    return word == "--help" || word == "-h" || word == "help";
}

} // namespace

CommandLine::CommandLine(Command command, std::vector<std::string> operands, std::string problem)
    : m_command(command), m_operands(std::move(operands)), m_problem(std::move(problem)) {}

CommandLine CommandLine::Parse(const std::vector<std::string>& args) {
    if (args.empty()) return {Command::Invalid, {}, kQlmNoCommand};
    if (IsHelpWord(args[0])) return {Command::Help, {}, {}};
    for (const CommandShape& shape : kShapes) {
        if (args[0] != shape.word) continue;
        std::vector<std::string> operands(args.begin() + 1, args.end());
        if (operands.size() != shape.operands) {
            return {Command::Invalid, {}, QlmOperandCountText(args[0], shape.operands, operands.size())};
        }
        return {shape.command, std::move(operands), {}};
    }
    return {Command::Invalid, {}, QlmUnknownCommandText(args[0])};
}
