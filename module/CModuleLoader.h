#pragma once

#include <string>

#include "platform/files/CArchive.h"

class CFile;
class CTableModule;
struct ModuleElement;

// Reads a module file into a freshly constructed CTableModule: the seven
// header lines, then elements of five significant lines each until the input
// ends. Stops at the first failed check and returns its load error id; what
// was filled in until then stays for the module's destructor to release.
class CModuleLoader {
public:
    CModuleLoader(CTableModule& module, CFile& file);
    int Run();

private:
    // 0, or IDS_ERR_READ when the file failed to read. At the end of input
    // the line is empty, which the checks then read as text or 0.
    int Read(std::string& line, bool* got = nullptr);
    int ReadHeader();
    int ReadCounts();
    // Reads one element after its name; 0 when it was added to the module.
    int ReadElement(std::string name);
    int ReadGeometry(ModuleElement& element);

    CTableModule& m_module;
    CFile& m_file;
    CArchive m_archive;
};
