#include "ui/RecentRomsMenu.h"

#include "platform/windows/CMenu.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "ui/RecentRoms.h"

void RecentRomsMenu::Show(CMenu& menu, const std::vector<std::string>& paths) {
    // The first place's item is always there; it anchors the others.
    for (UINT id = ID_FILE_MRU_FIRST + 1; id <= ID_FILE_MRU_LAST; ++id)
        menu.DeleteMenu(id, MF_BYCOMMAND);
    if (paths.empty()) {
        menu.ModifyMenu(ID_FILE_MRU_FIRST, MF_BYCOMMAND | MF_GRAYED, ID_FILE_MRU_FIRST, kRecentRomsEmpty);
        return;
    }
    const std::vector<std::string> labels = RecentRoms::Labels(paths);
    const UINT count =
            static_cast<UINT>(std::min<size_t>(labels.size(), ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1));
    // An item goes in only before another, so the anchor becomes the last
    // and the others go in from the bottom up.
    UINT below = ID_FILE_MRU_FIRST + count - 1;
    menu.ModifyMenu(ID_FILE_MRU_FIRST, MF_BYCOMMAND, below, labels[count - 1].c_str());
    for (UINT place = count - 1; place-- > 0;) {
        menu.InsertMenu(below, MF_BYCOMMAND, ID_FILE_MRU_FIRST + place, labels[place].c_str());
        below = ID_FILE_MRU_FIRST + place;
    }
}
