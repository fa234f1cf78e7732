#include "CommandLine.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "res/StringTable.h"

namespace {

struct CommandShape {
    const char* word;
    CommandLine::Command command;
    std::size_t operands;
    // Takes --form-rules.
    bool readsValues;
};

constexpr CommandShape kShapes[] = {
        {"check", CommandLine::Command::Check, 1, false},
        {"dump", CommandLine::Command::Dump, 2, false},
        {"set", CommandLine::Command::Set, 5, true},
        {"import", CommandLine::Command::Import, 3, true},
};

constexpr char kFormRulesOption[] = "--form-rules";

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
        const auto option = std::find(operands.begin(), operands.end(), kFormRulesOption);
        const bool formRules = shape.readsValues && option != operands.end();
        if (formRules) operands.erase(option);
        if (operands.size() != shape.operands) {
            return {Command::Invalid, {}, QlmOperandCountText(args[0], shape.operands, operands.size())};
        }
        CommandLine line{shape.command, std::move(operands), {}};
        line.m_formRules = formRules;
        return line;
    }
    return {Command::Invalid, {}, QlmUnknownCommandText(args[0])};
}
