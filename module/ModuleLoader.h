#pragma once

#include <string>

#include "platform/files/CArchive.h"
#include "table/LoadError.h"

class CFile;
class CTableModule;
struct ModuleElement;

// Reads a module file into a freshly constructed CTableModule: the seven
// header lines, then elements of five significant lines each until the input
// ends. Stops at the first failed check and returns its error; what was
// filled in until then stays for the module's destructor to release.
class ModuleLoader {
public:
    ModuleLoader(CTableModule& module, CFile& file);
    LoadError Run();

private:
    // Read when the file failed to read. At the end of input the line is
    // empty, which the checks then read as text or 0.
    LoadError Read(std::string& line, bool* got = nullptr);
    LoadError ReadHeader();
    LoadError ReadCounts();
    // Reads one element after its name; None when it was added to the module.
    LoadError ReadElement(std::string name);
    LoadError ReadGeometry(ModuleElement& element);

    CTableModule& m_module;
    CFile& m_file;
    CArchive m_archive;
};
