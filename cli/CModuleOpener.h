#pragma once

#include <memory>
#include <string>

class CTableModule;

// Loads a module file the way the editor does, turning every failure into
// the one line qlm prints for it.
class CModuleOpener {
public:
    // The module, or null with `problem` set to
    // "<path>: error <id>: <message>" for a load error, or to
    // "Cannot open <path>: <reason>" when the file cannot be opened.
    static std::unique_ptr<CTableModule> Open(const std::string& path, std::string& problem);
};
