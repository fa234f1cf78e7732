#pragma once

#include <string>
#include <vector>

#include "table/LoadFailure.h"

class CTableModule;
struct ElementSource;
struct ModuleElement;

// What a module that loaded may mean by mistake: legal lines that are
// probably not what the author wanted. Each warning points at the line that
// causes it, in the module file or in one of its side files.
struct LintWarning {
    SourceLine at;
    std::string text;
};

class ModuleLint {
public:
    // The warnings in the order of the module file: the header's, then each
    // element's (its own lines first, then its value list's).
    static std::vector<LintWarning> Check(const CTableModule& module);

private:
    explicit ModuleLint(const CTableModule& module);

    void CheckHeader();
    void CheckUncovered();
    void CheckElement(size_t index, const ElementSource& source);
    void CheckOverlap(size_t index, const ElementSource& source);
    void CheckTextTable(const ModuleElement& element, const ElementSource& source);
    void CheckValues(const ModuleElement& element, const ElementSource& source);
    void Warn(const std::string& file, uint64_t line, std::string text);

    const CTableModule& m_module;
    std::vector<LintWarning> m_warnings;
};
