#include "CSetCommand.h"

#include "CElementInput.h"
#include "CModuleOpener.h"
#include "CStrictNumber.h"
#include "document/RomFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/ElementStyle.h"

namespace {

int Refuse(std::ostream& err, const std::string& problem) {
    err << problem << '\n';
    return 1;
}

} // namespace

std::optional<int> CSetCommand::FindEntry(const CTableModule& module, const std::string& text,
                                          std::string& problem) {
    // Stricter than the module files' number rule on purpose: "12a" or a
    // stray "-" would otherwise name some other entry and overwrite it.
    const std::optional<uint32_t> entry = CStrictNumber::Parse(text);
    if (entry && *entry < static_cast<uint32_t>(module.m_nEntryCount)) return static_cast<int>(*entry);
    problem = "No entry " + text + " in this module: its entries are numbered 0 to " +
              std::to_string(module.m_nEntryCount - 1) + ".";
    return std::nullopt;
}

std::optional<int> CSetCommand::FindElement(const CTableModule& module, const std::string& text,
                                            std::string& problem) {
    for (int i = 0; i < module.m_nElements; ++i)
        if (module.GetElementName(i) == text) return i;
    const std::optional<uint32_t> index = CStrictNumber::Parse(text);
    if (index && *index < static_cast<uint32_t>(module.m_nElements)) return static_cast<int>(*index);
    problem = "No element named \"" + text + "\" in this module, nor one with that index.";
    return std::nullopt;
}

int CSetCommand::Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
    const std::string& romPath = operands.at(1);
    std::string problem;
    const auto module = CModuleOpener::Open(operands.at(0), problem);
    if (!module) return Refuse(err, problem);
    RomFile rom;
    if (const FileResult opened = rom.Open(romPath); !opened) return Refuse(err, opened.Message());
    const uint32_t length = rom.Length();
    if (!module->FitsIn(length)) return Refuse(err, kIncompatibleText);
    const std::optional<int> entry = FindEntry(*module, operands.at(2), problem);
    if (!entry) return Refuse(err, problem);
    const std::optional<int> element = FindElement(*module, operands.at(3), problem);
    if (!element) return Refuse(err, problem);
    const std::optional<std::vector<uint8_t>> bytes =
            CElementInput::Read(*module, *element, operands.at(4), problem);
    if (!bytes) return Refuse(err, problem);

    if (module->m_elements[static_cast<size_t>(*element)]->style & STYLE_BISCUIT) out << kBiscuitText << '\n';
    module->SelectEntry(*entry, rom.Data(), length);
    module->SetElementData(*element, bytes->data());
    if (!module->StoreEntry(rom.Data(), length)) return Refuse(err, kIncompatibleText);
    if (const FileResult saved = rom.Save(); !saved) return Refuse(err, saved.Message());
    return 0;
}
