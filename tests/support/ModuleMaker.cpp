#include "ModuleMaker.h"

#include "table/CTableModule.h"

std::unique_ptr<CTableModule> MakeModule(std::uint32_t base, std::int32_t entryCount,
                                         std::uint32_t entryLength, const std::vector<ElementDef>& elements) {
    auto module = std::make_unique<CTableModule>();
    module->m_strName = "Test module";
    module->m_nBaseOffset = base;
    module->m_nEntryCount = entryCount;
    module->m_nEntryLength = entryLength;
    for (std::int32_t k = 0; k < entryCount; ++k)
        module->m_entryNames.push_back("Entry " + std::to_string(k));
    for (const ElementDef& def : elements) {
        ModuleElement e;
        e.name = def.name;
        e.offset = def.offset;
        e.size = def.size;
        e.style = def.style;
        for (const auto& [value, name] : def.values) {
            e.values.push_back(value);
            e.valueNames.push_back(name);
        }
        e.valueCount = static_cast<std::int32_t>(def.values.size());
        module->AddElement(std::move(e));
    }
    return module;
}

std::vector<ElementDef> NumberElements(int n) {
    std::vector<ElementDef> elements;
    for (int i = 0; i < n; ++i)
        elements.push_back({"Field " + std::to_string(i), static_cast<std::uint32_t>(i), 1, 0, {}});
    return elements;
}
