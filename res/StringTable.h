#pragma once

#include <string>
#include <string_view>

#include "res/resource.h"

// Load errors the loader adds beyond the classic ids 1, 2 and 4 to 13.
// A count (entries or dropbox values) that is negative or above the bound.
inline constexpr int IDS_ERR_COUNT_RANGE = 14;
// The module file or a side file failed to read before its end.
inline constexpr int IDS_ERR_READ = 15;

// The message of a load error id, as the user sees it; empty for an id that
// has none (0 and 3 among them).
std::string_view LoadErrorMessage(int id);

// --- The editor window's texts, each written once -----------------------------

// Shown whenever the current module's table does not fit the open ROM.
inline constexpr char kTextIncompatible[] = "This module and this rom are not compatible.";
// The window's title while no ROM is open; the dialog template starts with it.
inline constexpr char kTitleNoFile[] = "Quillmoor - No file open";
// The window's title with a ROM open: "Quillmoor - " and the file name, and
// " *" after it while the image holds changes that are not saved.
std::string DocumentTitle(std::string_view romName, bool modified);
