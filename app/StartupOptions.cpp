#include "app/StartupOptions.h"

#include "platform/windows/ToolkitOptions.h"
#include "res/StringTable.h"

StartupOptions StartupOptions::Parse(const std::vector<std::string>& args) {
    StartupOptions options;
    std::size_t operands = 0;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "-" alone names standard input, not an option; after "--" a name
        // may start with '-'.
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            ++operands;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            options.action = Action::Help;
            return options;
        } else if (arg == "--version") {
            options.action = Action::Version;
            return options;
        } else if (const std::size_t span = ToolkitOptions::Span(args, i); span > 0) {
            i += span - 1;
        } else {
            options.ignored.push_back(arg);
        }
    }
    if (operands > 2) {
        options.action = Action::Invalid;
        options.problem = kEditorTooManyArguments;
    }
    return options;
}

std::string StartupOptions::Warnings() const {
    std::string text;
    for (const std::string& option : ignored)
        text += "quillmoor: " + EditorIgnoredOptionText(option) + "\n";
    return text;
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
