#include "SetCommand.h"

#include "ElementInput.h"
#include "ModuleProblem.h"
#include "StrictNumber.h"
#include "document/RomFile.h"
#include "module/LoadModuleFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/ElementStyle.h"

namespace {

int Refuse(std::ostream& err, const std::string& problem) {
    err << problem << '\n';
    return 1;
}

} // namespace

Result<int, std::string> SetCommand::FindEntry(const CTableModule& module, const std::string& text) {
    // Stricter than the module files' number rule on purpose: "12a" or a
    // stray "-" would otherwise name some other entry and overwrite it.
    const std::optional<uint32_t> entry = StrictNumber::Parse(text);
    if (entry && *entry < static_cast<uint32_t>(module.m_nEntryCount)) return static_cast<int>(*entry);
    return Result<int, std::string>::Failure(QlmNoEntryText(text, module.m_nEntryCount));
}

Result<int, std::string> SetCommand::FindElement(const CTableModule& module, const std::string& text) {
    for (int i = 0; i < module.m_nElements; ++i)
        if (module.GetElementName(i) == text) return i;
    const std::optional<uint32_t> index = StrictNumber::Parse(text);
    if (index && *index < static_cast<uint32_t>(module.m_nElements)) return static_cast<int>(*index);
    return Result<int, std::string>::Failure(QlmNoElementText(text));
}

int SetCommand::Run(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
    const std::string& modulePath = operands.at(0);
    const std::string& romPath = operands.at(1);
    const ModuleFileResult loaded = LoadModuleFile(modulePath);
    if (!loaded) return Refuse(err, ModuleProblem(modulePath, loaded.Error()));
    CTableModule& module = *loaded.Value();
    RomFile rom;
    if (const FileResult opened = rom.Open(romPath); !opened) return Refuse(err, opened.Error());
    const uint32_t length = rom.Length();
    if (!module.FitsIn(length)) return Refuse(err, kIncompatibleText);
    const Result<int, std::string> entry = FindEntry(module, operands.at(2));
    if (!entry) return Refuse(err, entry.Error());
    const Result<int, std::string> element = FindElement(module, operands.at(3));
    if (!element) return Refuse(err, element.Error());
    const Result<std::vector<uint8_t>, std::string> bytes =
            ElementInput::Read(module, element.Value(), operands.at(4));
    if (!bytes) return Refuse(err, bytes.Error());

    if (module.m_elements[static_cast<size_t>(element.Value())]->style & STYLE_BISCUIT)
        out << kBiscuitText << '\n';
    module.SelectEntry(entry.Value(), rom.Data(), length);
    module.SetElementData(element.Value(), bytes.Value().data());
    if (!module.StoreEntry(rom.Data(), length)) return Refuse(err, kIncompatibleText);
    if (const FileResult saved = rom.Save(); !saved) return Refuse(err, saved.Error());
    return 0;
}
