#pragma once

#include <string>
#include <string_view>

struct ModuleFileError;

// The one line qlm prints for a module file that gave no module:
// "Cannot open <path>: <reason>" when it did not open, else
// "<path>: error <id>: <message>".
std::string ModuleProblem(std::string_view path, const ModuleFileError& error);
