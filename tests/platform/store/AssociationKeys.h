#pragma once

#include <string>
#include <vector>

#include "platform/store/Registry.h"

// The .qlm association as the editor's Associate command writes and removes
// it, in raw registry calls, so the store's tests see the same keys, values,
// data sizes and order without the editor.

// Writes every key and value; returns the first failure code.
LONG WriteAssociation(const std::string& command);

// Removes the keys in the command's order; returns each deletion's code.
std::vector<LONG> RemoveAssociation();
