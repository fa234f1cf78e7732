#pragma once

#include <string>
#include <string_view>

#include "res/StringTable.h"
#include "table/Result.h"

class CFile;

// The outcome of a document file operation. A failure carries the whole text
// the user should see, path and system reason included, so the UI only has
// to show it.
using FileResult = Result<void, std::string>;

// "Cannot <action> <path>: <reason>".
FileResult FileFailure(FileAction action, std::string_view path, std::string_view reason);
// The same, with the reason of the file's last failed operation.
FileResult FileFailure(FileAction action, std::string_view path, const CFile& file);
