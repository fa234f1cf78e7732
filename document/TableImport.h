#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/ElementInput.h"
#include "document/ImportedEntries.h"
#include "table/Result.h"

class CTableModule;

// Reads a table written as CSV (the header: a first column for the entry's
// label or number, then element names in any order, a subset allowed) and
// works out what it changes, checking every cell before anything is
// changed. A cell whose text is what the form already shows keeps the
// element's bytes, so importing a dump changes no byte even where the shown
// text leaves bytes out (a text's tail after its NUL, a dropbox value in no
// list).
class TableImport {
public:
    // How many bad cells a refusal lists; it counts them all.
    static constexpr size_t kListedProblems = 20;

    struct Problems {
        // "Row r, column c: ..." for the first kListedProblems bad cells.
        std::vector<std::string> listed;
        size_t count = 0;

        // The whole refusal as the user reads it.
        std::string Text() const;
    };
    // Changed entries only, in entry order, or why nothing may change.
    using Outcome = Result<ImportedEntries, Problems>;

    // `table` holds the bytes of the whole table, entry 0 first.
    static Outcome Read(const CTableModule& module, std::span<const uint8_t> table, std::string_view csv,
                        InputRules rules);

    // The changed entries' numbers, in order, or why nothing may change.
    using InPlaceOutcome = Result<std::vector<int>, Problems>;
    // The same reading, each changed entry written into `table` as soon as
    // its row is read: no copy of the changes, for a caller that throws the
    // table away on a refusal (which may find it partly changed).
    static InPlaceOutcome ReadInPlace(const CTableModule& module, std::span<uint8_t> table,
                                      std::string_view csv, InputRules rules);
};
