#pragma once

// Why a module file, or one of its side files, was refused. The core only
// names the failure; the id and the message the user reads for it are the
// string catalogue's (res/StringTable.h).
enum class LoadError {
    None,
    // The first significant line is not exactly "1" (an empty file too).
    Version,
    // An entry names file other than "NULL" does not open.
    NameList,
    // A character table line is not exactly four characters, or its code is
    // not a byte.
    CharTable,
    // A style descriptor of fewer than four characters.
    StyleShort,
    // A dropbox that is also text, a hex array or signed.
    StyleInvalid,
    // A dropbox's value list does not open.
    DropboxOpen,
    // An entry count of 0.
    ZeroEntries,
    // An entry length or an element size of 0.
    ZeroLength,
    // A value list whose count is 0.
    DropboxEmpty,
    // A value line without a space after its first character.
    DropboxFormat,
    // A numeric element (neither text nor hex array) of more than four bytes.
    NumericSize,
    // An element reaching past the end of its entry.
    OutOfEntry,
    // An entry or value count that is negative or above CTableModule::maxCount.
    CountRange,
    // The module file or a side file failed to read before its end.
    Read,
    // Memory ran out (std::bad_alloc) while the module was being loaded.
    OutOfMemory,
    // A line longer than the readers take (CArchive::kLineLimit).
    LineTooLong,
    // More elements, or more list values in all, than CTableModule allows.
    TooLarge,
};
