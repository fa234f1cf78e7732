#pragma once

// Resource, command and control ids. Numbers are part of the program's
// interface (load error ids are what users and module authors quote, command
// ids travel in WM_COMMAND), so they never change.

// Load error messages. The loader returns a LoadError; the string catalogue
// gives each its id and message.
inline constexpr int IDS_ERR_VERSION = 1;
inline constexpr int IDS_ERR_NAME_LIST = 2;
inline constexpr int IDS_ERR_CHAR_TABLE = 4;
inline constexpr int IDS_ERR_STYLE_SHORT = 5;
inline constexpr int IDS_ERR_STYLE_INVALID = 6;
inline constexpr int IDS_ERR_DROPBOX_OPEN = 7;
inline constexpr int IDS_ERR_ZERO_ENTRIES = 8;
inline constexpr int IDS_ERR_ZERO_LENGTH = 9;
inline constexpr int IDS_ERR_DROPBOX_EMPTY = 10;
inline constexpr int IDS_ERR_DROPBOX_FORMAT = 11;
inline constexpr int IDS_ERR_NUMERIC_SIZE = 12;
inline constexpr int IDS_ERR_OUT_OF_ENTRY = 13;

// Dialogs, menu, accelerators and pictures.
inline constexpr int IDD_EDITOR_DIALOG = 101;
inline constexpr int IDI_EDITOR = 103;
inline constexpr int IDR_EDITOR_MENU = 104;
inline constexpr int IDR_EDITOR_ACCEL = 105;
inline constexpr int IDD_ABOUT_DIALOG = 109;
inline constexpr int IDB_ABOUT_IMAGE = 111;

// Controls. Element controls take consecutive ids from IDC_ELEMENT_BASE.
inline constexpr int IDC_MODULE_COMBO = 1000;
inline constexpr int IDC_PANEL = 1001;
inline constexpr int IDC_ENTRY_COMBO = 1003;
inline constexpr int IDC_ELEMENT_BASE = 1009;

// Commands.
inline constexpr int ID_FILE_OPENROM = 40001;
inline constexpr int ID_FILE_CLOSEROM = 40002;
inline constexpr int ID_FILE_APPLY = 40003;
inline constexpr int ID_MODULES_LOAD = 40005;
inline constexpr int ID_MODULES_UNLOAD = 40007;
inline constexpr int ID_HELP_HELP = 40008;
inline constexpr int ID_HELP_ABOUT = 40009;
inline constexpr int ID_MODULES_LINK = 40010;
inline constexpr int ID_FILE_SAVEROM = 40011;
inline constexpr int ID_MODULES_ASSOCIATE = 40012;
inline constexpr int ID_EDIT_UNDO = 40013;
inline constexpr int ID_EDIT_REDO = 40014;
inline constexpr int ID_VIEW_TABLE = 40015;
inline constexpr int ID_VIEW_BYTES = 40016;
inline constexpr int ID_FILE_EXPORTTABLE = 40017;
inline constexpr int ID_FILE_IMPORTTABLE = 40018;
inline constexpr int ID_MODULES_RELOAD = 40019;
inline constexpr int ID_VIEW_COMPARE = 40020;
inline constexpr int ID_FILE_EXPORTPATCH = 40021;
// File > Recent Roms: one id per place in the list, newest first.
inline constexpr int ID_FILE_MRU_FIRST = 40100;
inline constexpr int ID_FILE_MRU_LAST = 40109;
