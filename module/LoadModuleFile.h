#pragma once

#include <memory>
#include <string>

#include "table/CTableModule.h"
#include "table/LoadError.h"
#include "table/LoadFailure.h"
#include "table/Result.h"

// Why a module file gave no module, and where it went wrong.
struct ModuleFileError : LoadFailure {
    // The system's reason the file did not open; empty otherwise.
    std::string reason;
    // The module file's name without its folder, as the user knows it.
    std::string fileName;
    // The module file's path as it was opened (the folder its side files'
    // paths start with); empty when it did not open.
    std::string modulePath;

    // error is None when the file itself did not open; `reason` then says why.
    bool NotOpened() const { return error == LoadError::None; }
};

using ModuleFileResult = Result<std::unique_ptr<CTableModule>, ModuleFileError>;

// Opens the file, loads a fresh module from it and closes it again: the one
// way the editor and qlm turn a path into a module. A module that fails to
// load, memory running out included (OutOfMemory), is destroyed before this
// returns.
ModuleFileResult LoadModuleFile(const std::string& path);
