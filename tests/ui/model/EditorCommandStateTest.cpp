// Which commands the editor offers and what its windows are titled, over a
// table of states.
#include "ui/model/EditorCommandState.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ModuleMaker.h"
#include "res/resource.h"
#include "ui/model/EditorState.h"

namespace {

// The enabled commands, in a fixed order, as a string of 0 and 1:
// Close Save Apply Export Import Undo Redo Unload Reload Link.
std::string Pattern(const EditorCommandState& s) {
    std::string bits;
    for (int id : {ID_FILE_CLOSEROM, ID_FILE_SAVEROM, ID_FILE_APPLY, ID_FILE_EXPORTTABLE, ID_FILE_IMPORTTABLE,
                   ID_EDIT_UNDO, ID_EDIT_REDO, ID_MODULES_UNLOAD, ID_MODULES_RELOAD, ID_MODULES_LINK})
        bits += s.Enabled(static_cast<UINT>(id)) ? '1' : '0';
    return bits;
}

struct Row {
    const char* what;
    void (*reach)(EditorState&);
    std::string commands;
    bool moduleSelector;
    bool entrySelector;
    std::string main, table, bytes;
};

void Open(EditorState& s) {
    s.document.Adopt(std::vector<uint8_t>(16), "game.rom");
}
void AddModule(EditorState& s, uint32_t base) {
    s.modules.push_back(MakeModule(base, 4, 4, NumberElements(1)));
    s.modules.back()->m_strName = "Beasts";
    s.ModulesChanged();
    s.SelectModule(0);
}
// A ROM and a module that fits it, one entry changed.
void Edited(EditorState& s) {
    Open(s);
    AddModule(s, 0);
    const uint8_t v = 9;
    s.ApplyValue(1, 0, {&v, 1});
}

const Row kRows[] = {
        {"nothing", [](EditorState&) {}, "0000000000", false, false, "Quillmoor - No file open", "Quillmoor",
         "Bytes - Quillmoor"},
        {"a ROM, no module", Open, "1000000000", false, false, "Quillmoor - game.rom", "Quillmoor",
         "Bytes - Quillmoor"},
        {"a module, no ROM", [](EditorState& s) { AddModule(s, 0); }, "0000000110", true, false,
         "Quillmoor - No file open", "Beasts - Quillmoor", "Beasts - Bytes - Quillmoor"},
        {"a ROM and a module that fits",
         [](EditorState& s) {
             Open(s);
             AddModule(s, 0);
         },
         "1111100111", true, true, "Quillmoor - game.rom", "Beasts - Quillmoor",
         "Beasts - Bytes - Quillmoor"},
        {"a module the ROM cannot hold",
         [](EditorState& s) {
             Open(s);
             AddModule(s, 8);
         },
         "1110000111", true, true, "Quillmoor - game.rom", "Beasts - Quillmoor",
         "Beasts - Bytes - Quillmoor"},
        {"an applied edit", Edited, "1111110111", true, true, "Quillmoor - game.rom *",
         "Beasts - Quillmoor *", "Beasts - Bytes - Quillmoor *"},
        {"the edit undone",
         [](EditorState& s) {
             Edited(s);
             s.Undo();
         },
         "1111101111", true, true, "Quillmoor - game.rom", "Beasts - Quillmoor",
         "Beasts - Bytes - Quillmoor"},
        {"the last module unloaded: Save and Link stay",
         [](EditorState& s) {
             Open(s);
             AddModule(s, 0);
             s.SelectModule(-1);
             s.modules.clear();
             s.ModulesChanged();
         },
         "1100000001", false, false, "Quillmoor - game.rom", "Quillmoor", "Bytes - Quillmoor"},
        {"the ROM closed",
         [](EditorState& s) {
             Open(s);
             AddModule(s, 0);
             s.CloseRom();
         },
         "0000000110", true, false, "Quillmoor - No file open", "Beasts - Quillmoor",
         "Beasts - Bytes - Quillmoor"},
};

TEST(EditorCommandState, FollowsTheStateAlone) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        EditorState state;
        row.reach(state);
        const EditorCommandState s = EditorCommandState::Of(state);
        EXPECT_EQ(Pattern(s), row.commands);
        EXPECT_EQ(s.moduleSelector, row.moduleSelector);
        EXPECT_EQ(s.entrySelector, row.entrySelector);
        EXPECT_EQ(s.mainTitle, row.main);
        EXPECT_EQ(s.tableTitle, row.table);
        EXPECT_EQ(s.bytesTitle, row.bytes);
    }
}

} // namespace
