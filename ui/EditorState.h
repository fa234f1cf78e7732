#pragma once

#include <cstddef>

#include "document/ModuleList.h"
#include "document/RomDocument.h"
#include "table/CTableModule.h"

// What the editor holds besides its windows: the open ROM document, the
// loaded modules and which of them is current. The dialog owns one; the
// command classes work on it.
struct EditorState {
    RomDocument document;
    // In load order; the module selector mirrors it item for item.
    ModuleList::Modules modules;
    int currentModule = -1;

    CTableModule* CurrentModule() const {
        if (currentModule < 0 || static_cast<std::size_t>(currentModule) >= modules.size()) return nullptr;
        return modules[static_cast<std::size_t>(currentModule)].get();
    }
};
