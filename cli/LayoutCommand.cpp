#include "LayoutCommand.h"

#include <algorithm>

#include "ModuleProblem.h"
#include "document/EntryLayout.h"
#include "module/LoadModuleFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"

namespace {

std::string RightAligned(std::string text, size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string Covering(const CTableModule& module, const std::vector<int>& elements) {
    if (elements.empty()) return kQlmLayoutUncovered;
    std::string names;
    for (int i : elements)
        names += (names.empty() ? "" : ", ") + module.GetElementName(i);
    return names;
}

} // namespace

int LayoutCommand::Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
    const std::string& path = operands.at(0);
    const ModuleFileResult loaded = LoadModuleFile(path);
    if (!loaded) {
        err << ModuleProblem(path, loaded.Error()) << '\n';
        return 1;
    }
    const CTableModule& module = *loaded.Value();
    // Offsets are decimal, as module files mostly write them.
    const size_t width = std::max({std::to_string(module.m_nEntryLength).size(), sizeof kQlmLayoutOffset - 1,
                                   sizeof kQlmLayoutLength - 1});
    out << RightAligned(kQlmLayoutOffset, width) << "  " << RightAligned(kQlmLayoutLength, width) << "  "
        << kQlmLayoutElements << '\n';
    for (const EntryLayout::Span& span : EntryLayout::Of(module))
        out << RightAligned(std::to_string(span.begin), width) << "  "
            << RightAligned(std::to_string(span.end - span.begin), width) << "  "
            << Covering(module, span.elements) << '\n';
    return 0;
}
