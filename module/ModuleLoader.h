#pragma once

#include <cstdint>
#include <string>

#include "platform/files/CArchive.h"
#include "table/LoadError.h"
#include "table/LoadFailure.h"

class CFile;
class CTableModule;
struct ElementSource;
struct ModuleElement;

// Reads a module file into a freshly constructed CTableModule: the seven
// header lines, then elements of five significant lines each until the input
// ends. Stops at the first failed check and returns its error with the line
// it was reading; what was filled in until then stays for the module's
// destructor to release. Memory running out is such an error too.
class ModuleLoader {
public:
    ModuleLoader(CTableModule& module, CFile& file);
    LoadFailure Run();

private:
    // Read when the file failed to read. At the end of input the line is
    // empty, which the checks then read as text or 0, and the place is one
    // past the last line.
    LoadError Read(std::string& line, bool* got = nullptr);
    // The place of the line last read, in the module file.
    SourceLine Here() const;
    LoadError ReadAll();
    LoadError ReadHeader();
    LoadError ReadCounts();
    // Reads one element after its name; None when it was added to the module.
    LoadError ReadElement(std::string name);
    LoadError ReadGeometry(ModuleElement& element);
    LoadError ReadList(ModuleElement& element, ElementSource& source);

    CTableModule& m_module;
    CFile& m_file;
    CArchive m_archive;
    uint64_t m_lines = 0;
    // List values of every element so far.
    size_t m_listValues = 0;
    bool m_ended = false;
    // Where a failure is: the module line last read, or a side file's line.
    SourceLine m_at;
    // The element being read, once its name line was.
    std::string m_element;
};
