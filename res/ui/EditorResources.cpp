#include "res/ui/EditorResources.h"

#include <iterator>

#include "platform/win32/WinConstants.h"
#include "platform/windows/BitmapImage.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "res/ui/EditorIconArt.h"

namespace {

BitmapImage BuildIcon() {
    return BitmapImage(
            kEditorIconSize, kEditorIconSize,
            std::vector<std::uint32_t>(std::begin(kEditorIconPixels), std::end(kEditorIconPixels)));
}

MenuItemTemplate Item(const char* text, UINT id, UINT flags = MF_STRING) {
    return MenuItemTemplate{text, id, flags, {}};
}

MenuItemTemplate Separator() {
    return MenuItemTemplate{"", 0, MF_SEPARATOR, {}};
}

MenuItemTemplate Popup(const char* text, std::vector<MenuItemTemplate> items) {
    return MenuItemTemplate{text, 0, MF_POPUP, std::move(items)};
}

MenuTemplate BuildMenu() {
    MenuTemplate menu;
    menu.popups.push_back(Popup(
            "&File", {
                             Item("&Open Rom...\tCtrl+O", ID_FILE_OPENROM),
                             Popup("Recent &Roms", {Item(kRecentRomsEmpty, ID_FILE_MRU_FIRST, MF_GRAYED)}),
                             Item("&Close Rom", ID_FILE_CLOSEROM, MF_GRAYED),
                             Item("&Save Rom\tCtrl+S", ID_FILE_SAVEROM, MF_GRAYED),
                             Separator(),
                             Item("&Export Table...", ID_FILE_EXPORTTABLE, MF_GRAYED),
                             Item("&Import Table...", ID_FILE_IMPORTTABLE, MF_GRAYED),
                             Item("Export &Patch...", ID_FILE_EXPORTPATCH, MF_GRAYED),
                             Separator(),
                             Item("&Apply Changes\tEnter", ID_FILE_APPLY, MF_GRAYED),
                             Separator(),
                             Item("E&xit", IDCANCEL),
                     }));
    menu.popups.push_back(Popup("&Edit", {
                                                 Item("&Undo\tCtrl+Z", ID_EDIT_UNDO, MF_GRAYED),
                                                 Item("&Redo\tCtrl+Y", ID_EDIT_REDO, MF_GRAYED),
                                         }));
    menu.popups.push_back(
            Popup("&View", {
                                   Item("&Table...\tCtrl+T", ID_VIEW_TABLE),
                                   Item("&Bytes...\tCtrl+B", ID_VIEW_BYTES),
                                   Item("&Compare With Original...", ID_VIEW_COMPARE, MF_GRAYED),
                           }));
    menu.popups.push_back(Popup("&Modules", {
                                                    Item("&Load Modules...", ID_MODULES_LOAD),
                                                    Item("&Unload Module", ID_MODULES_UNLOAD, MF_GRAYED),
                                                    Item("&Reload Modules\tF5", ID_MODULES_RELOAD, MF_GRAYED),
                                                    Separator(),
                                                    Item("&Link Rom To Modules", ID_MODULES_LINK, MF_GRAYED),
                                                    Item("&Associate .qlm Files", ID_MODULES_ASSOCIATE),
                                            }));
    menu.popups.push_back(Popup("&Help", {
                                                 Item("&Help\tF1", ID_HELP_HELP),
                                                 Separator(),
                                                 Item("&About", ID_HELP_ABOUT),
                                         }));
    return menu;
}

DialogTemplate BuildDialog() {
    DialogTemplate dlg;
    dlg.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME |
                DS_SETFONT | DS_3DLOOK;
    dlg.x = 0;
    dlg.y = 0;
    dlg.cx = 327;
    dlg.cy = 298;
    dlg.menu = &EditorResources::EditorMenu();
    dlg.caption = kTitleNoFile;
    dlg.pointSize = 8;
    dlg.typeface = "MS Sans Serif";
    DialogItemTemplate moduleCombo;
    moduleCombo.className = "COMBOBOX";
    moduleCombo.id = IDC_MODULE_COMBO;
    moduleCombo.style = WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST;
    moduleCombo.x = 7;
    moduleCombo.y = 7;
    moduleCombo.cx = 313;
    moduleCombo.cy = 15;
    dlg.items.push_back(moduleCombo);
    return dlg;
}

} // namespace

const MenuTemplate& EditorResources::EditorMenu() {
    static const MenuTemplate menu = BuildMenu();
    return menu;
}

const DialogTemplate& EditorResources::EditorDialog() {
    static const DialogTemplate dlg = BuildDialog();
    return dlg;
}

const std::vector<ACCEL>& EditorResources::EditorAccelerators() {
    // Virtual-key entries without menu highlighting, as the menu shows them.
    constexpr BYTE kKey = FVIRTKEY | FNOINVERT;
    static const std::vector<ACCEL> table = {
            {kKey | FCONTROL, 'O', ID_FILE_OPENROM},
            {kKey | FCONTROL, 'S', ID_FILE_SAVEROM},
            {kKey | FCONTROL, 'Z', ID_EDIT_UNDO},
            {kKey | FCONTROL, 'Y', ID_EDIT_REDO},
            {kKey | FCONTROL, 'T', ID_VIEW_TABLE},
            // The other common way to redo; the menu names only one key.
            {kKey | FCONTROL | FSHIFT, 'Z', ID_EDIT_REDO},
            {kKey, VK_F1, ID_HELP_HELP},
            {kKey | FCONTROL, 'B', ID_VIEW_BYTES},
            {kKey, VK_F5, ID_MODULES_RELOAD},
            {kKey, VK_RETURN, ID_FILE_APPLY},
    };
    return table;
}

const BitmapImage& EditorResources::EditorIcon() {
    static const BitmapImage icon = BuildIcon();
    return icon;
}
