#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/WinTypes.h"

class EditorState;

// Which commands and controls the editor offers and what its windows are
// titled, worked out from the state alone. The dialog applies it after
// every change; a new command adds its condition here and nowhere else.
struct EditorCommandState {
    // Every command the state decides, with whether it is enabled.
    std::vector<std::pair<UINT, bool>> commands;
    // The items the state checks, with whether they are checked.
    std::vector<std::pair<UINT, bool>> checks;
    bool moduleSelector = false;
    bool entrySelector = false;
    std::string mainTitle;
    std::string tableTitle;
    std::string bytesTitle;

    bool Enabled(UINT id) const;

    static EditorCommandState Of(const EditorState& state);
};
