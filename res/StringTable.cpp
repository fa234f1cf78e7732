#include "res/StringTable.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, std::string_view>, 14> kMessages{{
        {IDS_ERR_VERSION, "The module file is of a version not supported by this version of Quillmoor."},
        {IDS_ERR_NAME_LIST,
         "A list of entry names was specified, but could not be loaded. Use NULL to specify no file."},
        {IDS_ERR_CHAR_TABLE, "An entry in the character table file was not properly formatted."},
        {IDS_ERR_STYLE_SHORT, "An element's style descriptor is too short to represent a valid style."},
        {IDS_ERR_STYLE_INVALID, "An element's style is contradictory or invalid."},
        {IDS_ERR_DROPBOX_OPEN, "A dropbox-style element's list of values could not be opened."},
        {IDS_ERR_ZERO_ENTRIES, "Quillmoor cannot render a module for a table with zero entries."},
        {IDS_ERR_ZERO_LENGTH,
         "Quillmoor does not feel like contemplating the specifics of a table with entries of zero length."},
        {IDS_ERR_DROPBOX_EMPTY,
         "An element's dropbox value list specifies zero values. You're clearly trying to crash Quillmoor. "
         "Leave me alone. :("},
        {IDS_ERR_DROPBOX_FORMAT,
         "One or more lines in an element's dropbox value list are improperly formatted."},
        {IDS_ERR_NUMERIC_SIZE, "Numeric elements cannot own more than four bytes."},
        {IDS_ERR_OUT_OF_ENTRY,
         "An entry has specified a size or offset that would reach outside that entry's allowed space."},
        {IDS_ERR_COUNT_RANGE,
         "The module or a dropbox value list specifies a negative count, or more than 1048576 entries or "
         "values. Quillmoor will not hold a table that large."},
        {IDS_ERR_READ,
         "The module file or one of its side files could not be read to its end. The disk or the file "
         "system reported an error."},
}};

} // namespace

std::string_view LoadErrorMessage(int id) {
    for (const auto& [key, text] : kMessages)
        if (key == id) return text;
    return {};
}

std::string DocumentTitle(std::string_view romName, bool modified) {
    std::string title = "Quillmoor - ";
    title += romName;
    if (modified) title += " *";
    return title;
}
