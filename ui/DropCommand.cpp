#include "ui/DropCommand.h"

#include <algorithm>
#include <cctype>

#include "res/StringTable.h"
#include "ui/EditorControls.h"
#include "ui/ModuleListCommands.h"
#include "ui/RomDocumentCommands.h"

namespace {

bool IsModuleFile(const std::string& path) {
    constexpr std::string_view kExtension = ".qlm";
    if (path.size() <= kExtension.size()) return false;
    return std::equal(kExtension.begin(), kExtension.end(), path.end() - kExtension.size(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

} // namespace

void DropCommand::Run(const std::vector<std::string>& paths) {
    std::vector<std::string> modules;
    std::vector<std::string> roms;
    for (const std::string& path : paths)
        (IsModuleFile(path) ? modules : roms).push_back(path);
    if (roms.size() > 1)
        EditorControls(m_view).Message(kDropOneRomText, MB_OK | MB_ICONEXCLAMATION);
    else if (roms.size() == 1)
        RomDocumentCommands(m_state, m_view).OpenRomPath(roms.front());
    if (!modules.empty()) ModuleListCommands(m_state, m_view).LoadModuleFiles(modules);
}
