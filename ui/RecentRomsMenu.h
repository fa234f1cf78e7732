#pragma once

#include <string>
#include <vector>

class CMenu;

// File > Recent Roms as the menu shows it: one item per path, newest first,
// each with the command id of its place (ID_FILE_MRU_FIRST upwards), or one
// grayed item saying the list is empty.
class RecentRomsMenu {
public:
    static void Show(CMenu& menu, const std::vector<std::string>& paths);
};
