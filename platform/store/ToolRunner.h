#pragma once

#include <string>
#include <vector>

// Runs a helper program of the desktop (update-mime-database and the like)
// directly, without a shell, and waits for it.
class ToolRunner {
public:
    struct Outcome {
        bool found = false; // false: the tool is not installed, nothing ran
        bool succeeded = false;
        std::string problem; // why it failed: exit status or signal, and its output
    };

    // Looks the tool up on PATH; args excludes the tool's own name.
    static Outcome Run(const std::string& tool, const std::vector<std::string>& args);
    static std::string Find(const std::string& tool);
};
