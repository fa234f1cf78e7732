#pragma once

#include <string_view>

#include "res/resource.h"

// The module does not fit the open ROM image: shown by the editor and qlm.
inline constexpr char kIncompatibleText[] = "This module and this rom are not compatible.";
// A hex-array value that is not two digits per byte with one blank between.
inline constexpr char kBadHexArrayText[] = "One of your hex arrays is improperly formatted.";
// Storing a value into an element whose style carries the biscuit bit.
inline constexpr char kBiscuitText[] = "LET'S MAKE BISCUITS!";

// Load errors the loader adds beyond the classic ids 1, 2 and 4 to 13.
// A count (entries or dropbox values) that is negative or above the bound.
inline constexpr int IDS_ERR_COUNT_RANGE = 14;
// The module file or a side file failed to read before its end.
inline constexpr int IDS_ERR_READ = 15;

// The message of a load error id, as the user sees it; empty for an id that
// has none (0 and 3 among them).
std::string_view LoadErrorMessage(int id);
