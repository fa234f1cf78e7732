#include "CommandLine.h"

#include <cstddef>
#include <string_view>
#include <utility>

#include "res/StringTable.h"

namespace {

struct CommandShape {
    const char* word;
    CommandLine::Command command;
    std::size_t operands;
    // check takes options; set's values may begin with "-", so set and
    // import take only the words --form-rules and --unsafe-in-place.
    bool options;
    bool readsValues;
};

constexpr CommandShape kShapes[] = {
        {"check", CommandLine::Command::Check, 1, true, false},
        {"dump", CommandLine::Command::Dump, 2, false, false},
        {"set", CommandLine::Command::Set, 5, false, true},
        {"import", CommandLine::Command::Import, 3, false, true},
        {"layout", CommandLine::Command::Layout, 1, false, false},
        {"diff", CommandLine::Command::Diff, 3, true, false},
};

constexpr char kFormRulesOption[] = "--form-rules";
constexpr char kUnsafeInPlaceOption[] = "--unsafe-in-place";

bool IsHelpWord(const std::string& word) {
    return word == "--help" || word == "-h" || word == "help";
}

} // namespace

CommandLine::CommandLine(Command command, std::vector<std::string> operands, std::string problem)
    : m_command(command), m_operands(std::move(operands)), m_problem(std::move(problem)) {}

CommandLine CommandLine::Parse(const std::vector<std::string>& args) {
    if (args.empty()) return {Command::Invalid, {}, kQlmNoCommand};
    if (IsHelpWord(args[0])) return {Command::Help, {}, {}};
    if (args[0] == "patch") return ParsePatch(args);
    for (const CommandShape& shape : kShapes) {
        if (args[0] != shape.word) continue;
        CommandLine line{shape.command, {}, {}};
        for (auto word = args.begin() + 1; word != args.end(); ++word) {
            if (shape.readsValues && *word == kFormRulesOption)
                line.m_formRules = true;
            else if (shape.readsValues && *word == kUnsafeInPlaceOption)
                line.m_unsafeInPlace = true;
            else if (!shape.options || word->size() < 2 || word->front() != '-')
                line.m_operands.push_back(*word);
            else if (!line.TakeOption(*word))
                return {Command::Invalid, {}, QlmUnknownOptionText(*word)};
        }
        if (line.m_operands.size() != shape.operands)
            return {Command::Invalid,
                    {},
                    QlmOperandCountText(args[0], shape.operands, line.m_operands.size())};
        return line;
    }
    return {Command::Invalid, {}, QlmUnknownCommandText(args[0])};
}

bool CommandLine::TakeOption(const std::string& word) {
    if (m_command == Command::Diff) {
        m_bytes = m_bytes || word == "--bytes";
        return word == "--bytes";
    }
    if (word == "--warnings" || word == "-W")
        m_warnings = true;
    else if (word == "--strict")
        m_strict = true;
    else
        return false;
    return true;
}

CommandLine CommandLine::ParsePatch(const std::vector<std::string>& args) {
    const std::string action = args.size() < 2 ? std::string() : args[1];
    if (action != "create" && action != "apply") return {Command::Invalid, {}, QlmPatchActionText(action)};
    const bool create = action == "create";
    CommandLine line{create ? Command::PatchCreate : Command::PatchApply, {}, {}};
    std::optional<std::string> format;
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& word = args[i];
        constexpr std::string_view kFormat = "--format";
        if (word == kFormat || word.starts_with("--format=")) {
            if (!create) return {Command::Invalid, {}, QlmUnknownOptionText(kFormat)};
            if (word != kFormat)
                format = word.substr(kFormat.size() + 1);
            else
                format = i + 1 < args.size() ? args[++i] : std::string();
        } else {
            line.m_operands.push_back(word);
        }
    }
    if (line.m_operands.size() != 3)
        return {Command::Invalid, {}, QlmOperandCountText("patch " + action, 3, line.m_operands.size())};
    if (!create) return line;
    if (format) {
        const std::optional<PatchFormat> named = Patch::FormatOfName("." + *format);
        if (!named || (*format != "ips" && *format != "bps"))
            return {Command::Invalid, {}, QlmPatchFormatWordText(*format)};
        line.m_patchFormat = *named;
    } else if (const std::optional<PatchFormat> byName = Patch::FormatOfName(line.m_operands[2])) {
        line.m_patchFormat = *byName;
    } else {
        return {Command::Invalid, {}, QlmPatchFormatUnknownText(line.m_operands[2])};
    }
    return line;
}
