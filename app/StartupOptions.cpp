#include "app/StartupOptions.h"

#include "res/StringTable.h"

StartupOptions StartupOptions::Parse(const std::vector<std::string>& args) {
    StartupOptions options;
    std::size_t operands = 0;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        // "-" alone names standard input, not an option; after "--" a name
        // may start with '-'.
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            ++operands;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            options.action = Action::Help;
            return options;
        } else if (arg == "--version") {
            options.action = Action::Version;
            return options;
        } else {
            options.action = Action::Invalid;
            options.problem = EditorUnknownOptionText(arg);
            return options;
        }
    }
    if (operands > 2) {
        options.action = Action::Invalid;
        options.problem = kEditorTooManyArguments;
    }
    return options;
}

std::string StartupOptions::Output() const {
    switch (action) {
    case Action::Help:
        return kEditorUsage;
    case Action::Version:
        return std::string("quillmoor ") + QUILL_VERSION + "\n";
    case Action::Invalid:
        return "quillmoor: " + problem + "\n" + kEditorUsageHint;
    case Action::Run:
        break;
    }
    return {};
}
