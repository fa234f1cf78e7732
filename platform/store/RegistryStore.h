#pragma once

#include <filesystem>
#include <string>

#include "platform/store/Registry.h"

class RegistryKey;

// Where the registry lives and how it is read and written as a whole: a small
// text file, $XDG_CONFIG_HOME/quillmoor/registry (~/.config by default). Every
// registry call reads it anew, so two windows or programs see each other's
// changes, and every change rewrites it atomically.
class RegistryStore {
public:
    static std::filesystem::path Folder();
    static std::filesystem::path FilePath();
    // Points the store elsewhere (tests use a temporary folder); an empty path
    // returns to the XDG location.
    static void SetFolder(std::filesystem::path folder);

    // A missing file is an empty store, and so is anything that is not a
    // regular file (CheckWritable then refuses every write); an unreadable or
    // malformed one fails, so that it is never overwritten by a write based
    // on nothing.
    static LONG Load(RegistryKey& top, std::string& why);
    static LONG Save(const RegistryKey& top, std::string& why);
    // Whether a Save could succeed: the file is a regular file and writable,
    // or absent and the folder it would go into is writable.
    static LONG CheckWritable(std::string& why);
};
