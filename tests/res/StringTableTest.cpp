#include "res/StringTable.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

#include "table/CTableModule.h"

namespace {

struct IdRow {
    LoadError error;
    // The number users and module authors know the error by: fixed for good,
    // so it is written out here rather than taken from the catalogue.
    int id;
};

constexpr IdRow kIds[] = {
        {LoadError::None, 0},          {LoadError::Version, 1},        {LoadError::NameList, 2},
        {LoadError::CharTable, 4},     {LoadError::StyleShort, 5},     {LoadError::StyleInvalid, 6},
        {LoadError::DropboxOpen, 7},   {LoadError::ZeroEntries, 8},    {LoadError::ZeroLength, 9},
        {LoadError::DropboxEmpty, 10}, {LoadError::DropboxFormat, 11}, {LoadError::NumericSize, 12},
        {LoadError::OutOfEntry, 13},   {LoadError::CountRange, 14},    {LoadError::Read, 15},
        {LoadError::OutOfMemory, 16},
};

TEST(LoadErrorTextTest, EveryErrorHasItsIdAndAMessageOfItsOwn) {
    // OutOfMemory is the last error; a new one must get a row here.
    ASSERT_EQ(std::size(kIds), static_cast<size_t>(LoadError::OutOfMemory) + 1);
    std::set<std::string_view> messages;
    for (const IdRow& row : kIds) {
        SCOPED_TRACE(row.id);
        EXPECT_EQ(LoadErrorId(row.error), row.id);
        if (row.error == LoadError::None) {
            EXPECT_TRUE(LoadErrorMessage(row.error).empty());
            continue;
        }
        EXPECT_FALSE(LoadErrorMessage(row.error).empty());
        EXPECT_TRUE(messages.insert(LoadErrorMessage(row.error)).second)
                << "message shared with another error";
    }
    EXPECT_EQ(LoadErrorMessage(LoadError::ZeroLength), "Quillmoor does not feel like contemplating the "
                                                       "specifics of a table with entries of zero length.");
    EXPECT_EQ(LoadErrorMessage(LoadError::DropboxEmpty), "An element's dropbox value list specifies zero "
                                                         "values. You're clearly trying to crash Quillmoor. "
                                                         "Leave me alone. :(");
    // The message states the bound the loader enforces.
    EXPECT_NE(LoadErrorMessage(LoadError::CountRange).find(std::to_string(CTableModule::maxCount)),
              std::string_view::npos);
}

TEST(LoadErrorTextTest, TheEditorsBoxAndQlmsLineNameTheFileAndLine) {
    const std::string version = "An error occurred while trying to load the module broken.qlm.\n\n"
                                "The module file is of a version not supported by this version of Quillmoor.";
    EXPECT_EQ(ModuleErrorText("broken.qlm", LoadError::Version), version);
    EXPECT_EQ(ModuleErrorText("broken.qlm", LoadFailure{LoadError::Version, {"/m/sub/t.tbl", 12}, {}}),
              version + "\n\n(line 12 of t.tbl)");
    EXPECT_EQ(ModuleErrorText("broken.qlm", LoadFailure{LoadError::Version, {"/m/broken.qlm", 0}, {}}),
              version)
            << "no line to name";
    EXPECT_EQ(QlmLoadErrorText("mods/broken.qlm", 7, LoadError::OutOfEntry, "Hit points"),
              "mods/broken.qlm:7: error 13: An entry has specified a size or offset that would reach outside "
              "that entry's allowed space. (element \"Hit points\")");
    EXPECT_EQ(
            QlmLoadErrorText("huge.qlm", 0, LoadError::OutOfMemory, {}),
            "huge.qlm: error 16: The module or one of its side files is too large to load: Quillmoor ran out "
            "of memory while reading it.");
}

} // namespace
