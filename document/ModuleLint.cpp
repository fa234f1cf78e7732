#include "document/ModuleLint.h"

#include <algorithm>
#include <unordered_map>

#include "document/EntryLayout.h"
#include "module/SideFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

ModuleLint::ModuleLint(const CTableModule& module) : m_module(module) {}

std::vector<LintWarning> ModuleLint::Check(const CTableModule& module) {
    ModuleLint lint(module);
    lint.CheckHeader();
    const std::vector<ElementSource>& sources = module.Source().elements;
    const size_t count = std::min(sources.size(), module.m_elements.size());
    for (size_t i = 0; i < count; ++i)
        lint.CheckElement(i, sources[i]);
    return std::move(lint.m_warnings);
}

void ModuleLint::Warn(const std::string& file, uint64_t line, std::string text) {
    m_warnings.push_back({{file, line}, std::move(text)});
}

void ModuleLint::CheckHeader() {
    const ModuleSource& source = m_module.Source();
    CheckUncovered();
    if (!source.namesPath.empty() && source.namesRead < static_cast<uint64_t>(m_module.m_nEntryCount))
        Warn(source.modulePath, source.namesLine, LintFewNamesText(source.namesRead, m_module.m_nEntryCount));
    // "NULL" and an empty line are how modules say they have no table.
    const std::string& table = source.charTableText;
    if (!source.charTableOpened && !table.empty() && table != "NULL")
        Warn(source.modulePath, source.charTableLine, LintCharTableMissingText(table));
}

void ModuleLint::CheckUncovered() {
    for (const EntryLayout::Span& span : EntryLayout::Of(m_module)) {
        if (span.elements.empty())
            Warn(m_module.Source().modulePath, m_module.Source().lengthLine,
                 LintUncoveredText(span.begin, span.end - 1));
    }
}

void ModuleLint::CheckElement(size_t index, const ElementSource& source) {
    const ModuleElement& element = *m_module.m_elements[index];
    CheckOverlap(index, source);
    if (element.style & STYLE_TEXT) CheckTextTable(element, source);
    if (element.style & STYLE_DROPBOX) CheckValues(element, source);
}

void ModuleLint::CheckOverlap(size_t index, const ElementSource& source) {
    const ModuleElement& element = *m_module.m_elements[index];
    const uint64_t begin = element.offset;
    const uint64_t end = begin + element.size;
    // The first earlier element it lands on is enough to find the mistake.
    for (size_t i = 0; i < index; ++i) {
        const ModuleElement& earlier = *m_module.m_elements[i];
        const uint64_t first = std::max<uint64_t>(begin, earlier.offset);
        const uint64_t last = std::min<uint64_t>(end, uint64_t{earlier.offset} + earlier.size);
        if (first >= last) continue;
        Warn(m_module.Source().modulePath, source.nameLine,
             LintOverlapText(element.name, earlier.name, first, last - 1));
        return;
    }
}

void ModuleLint::CheckTextTable(const ModuleElement& element, const ElementSource& source) {
    if (m_module.Source().charTableOpened) return;
    // A table named where the loader never looks: the text shows unmapped.
    SideFile file;
    if (file.Open(m_module.m_strDir, source.listText))
        Warn(m_module.Source().modulePath, source.listLine,
             LintTextTableOnElementText(element.name, source.listText));
}

void ModuleLint::CheckValues(const ModuleElement& element, const ElementSource& source) {
    const size_t count = std::min(element.values.size(), source.valueLines.size());
    const uint64_t limit = element.size >= 4 ? uint64_t{1} << 32 : uint64_t{1} << (8 * element.size);
    std::unordered_map<uint32_t, uint64_t> firstLine;
    for (size_t k = 0; k < count; ++k) {
        const uint32_t value = element.values[k];
        const uint64_t line = source.valueLines[k];
        if (value >= limit)
            Warn(source.listPath, line, LintValueTooLargeText(element.name, value, element.size));
        const auto [seen, fresh] = firstLine.emplace(value, line);
        if (!fresh) Warn(source.listPath, line, LintDuplicateValueText(element.name, value, seen->second));
    }
}
