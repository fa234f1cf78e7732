#pragma once

#include <string>
#include <string_view>

struct ModuleFileError;

// The one line qlm prints for a module file that gave no module:
// "Cannot open <path>: <reason>" when it did not open, else
// "<file>:<line>: error <id>: <message>", the file being the module or the
// side file that failed, as the user would name it from where qlm runs.
std::string ModuleProblem(std::string_view path, const ModuleFileError& error);

// A path the loader opened (the module's own, made absolute, or a side
// file's beside it) as the user would name it: the module as `path` was
// given, a side file with the folder of `path` in front.
std::string ShownPath(std::string_view path, std::string_view modulePath, std::string_view opened);
