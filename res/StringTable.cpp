#include "res/StringTable.h"

#include "table/HexText.h"

namespace {

struct LoadErrorEntry {
    LoadError error;
    int id;
    std::string_view message;
};

constexpr LoadErrorEntry kLoadErrors[] = {
        {LoadError::Version, IDS_ERR_VERSION,
         "The module file is of a version not supported by this version of Quillmoor."},
        {LoadError::NameList, IDS_ERR_NAME_LIST,
         "A list of entry names was specified, but could not be loaded. Use NULL to specify no file."},
        {LoadError::CharTable, IDS_ERR_CHAR_TABLE,
         "An entry in the character table file was not properly formatted."},
        {LoadError::StyleShort, IDS_ERR_STYLE_SHORT,
         "An element's style descriptor is too short to represent a valid style."},
        {LoadError::StyleInvalid, IDS_ERR_STYLE_INVALID, "An element's style is contradictory or invalid."},
        {LoadError::DropboxOpen, IDS_ERR_DROPBOX_OPEN,
         "A dropbox-style element's list of values could not be opened."},
        {LoadError::ZeroEntries, IDS_ERR_ZERO_ENTRIES,
         "Quillmoor cannot render a module for a table with zero entries."},
        {LoadError::ZeroLength, IDS_ERR_ZERO_LENGTH,
         "Quillmoor does not feel like contemplating the specifics of a table with entries of zero length."},
        {LoadError::DropboxEmpty, IDS_ERR_DROPBOX_EMPTY,
         "An element's dropbox value list specifies zero values. You're clearly trying to crash Quillmoor. "
         "Leave me alone. :("},
        {LoadError::DropboxFormat, IDS_ERR_DROPBOX_FORMAT,
         "One or more lines in an element's dropbox value list are improperly formatted."},
        {LoadError::NumericSize, IDS_ERR_NUMERIC_SIZE, "Numeric elements cannot own more than four bytes."},
        {LoadError::OutOfEntry, IDS_ERR_OUT_OF_ENTRY,
         "An entry has specified a size or offset that would reach outside that entry's allowed space."},
        {LoadError::CountRange, IDS_ERR_COUNT_RANGE,
         "The module or a dropbox value list specifies a negative count, or more than 1048576 entries or "
         "values. Quillmoor will not hold a table that large."},
        {LoadError::Read, IDS_ERR_READ,
         "The module file or one of its side files could not be read to its end. The disk or the file "
         "system reported an error."},
        {LoadError::OutOfMemory, IDS_ERR_OUT_OF_MEMORY,
         "The module or one of its side files is too large to load: Quillmoor ran out of memory while "
         "reading "
         "it."},
        {LoadError::LineTooLong, IDS_ERR_LINE_TOO_LONG,
         "A line of the module file or of one of its side files is longer than 65536 bytes; no line a "
         "module needs is that long."},
        {LoadError::TooLarge, IDS_ERR_TOO_LARGE,
         "The module has more than 4096 elements, or its value lists hold more than 4194304 values in "
         "all. Quillmoor will not build a form that large."},
};

const LoadErrorEntry* Find(LoadError error) {
    for (const LoadErrorEntry& entry : kLoadErrors)
        if (entry.error == error) return &entry;
    return nullptr;
}

std::string_view ActionWord(FileAction action) {
    switch (action) {
    case FileAction::Open:
        return "open";
    case FileAction::Read:
        return "read";
    case FileAction::Write:
        return "write";
    case FileAction::Create:
        return "create";
    case FileAction::Save:
        return "save";
    }
    return {};
}

std::string Counted(int64_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts)
        text.append(part);
    return text;
}

// One UTF-8 character at `at`: its length, or 0 when the bytes there are not
// valid UTF-8 (a stray continuation, a cut or overlong sequence, a
// surrogate, beyond U+10FFFF).
size_t Utf8Length(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) {
        return static_cast<unsigned char>(text[i]);
    };
    const unsigned lead = byte(at);
    if (lead < 0x80) return 1;
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
    const unsigned second = byte(at + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
        return 0;
    return length;
}

void AppendEscaped(std::string& out, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
    }
}

// Controls a terminal acts on: C0, DEL and, written in UTF-8, C1.
bool IsControl(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) return lead < 0x20 || lead == 0x7F;
    return character.size() == 2 && lead == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0;
}

} // namespace

std::string Excerpt(std::string_view text) {
    std::string out;
    size_t at = 0;
    for (size_t shown = 0; at < text.size() && shown < kExcerptCharacters; ++shown) {
        const size_t length = Utf8Length(text, at);
        const std::string_view character = text.substr(at, length == 0 ? 1 : length);
        if (length == 0 || IsControl(character))
            AppendEscaped(out, character);
        else
            out += character;
        at += character.size();
    }
    if (at < text.size()) out += "...";
    return out;
}

int LoadErrorId(LoadError error) {
    const LoadErrorEntry* entry = Find(error);
    return entry != nullptr ? entry->id : 0;
}

std::string_view LoadErrorMessage(LoadError error) {
    const LoadErrorEntry* entry = Find(error);
    return entry != nullptr ? entry->message : std::string_view();
}

std::string ModuleErrorText(std::string_view fileName, LoadError error) {
    return Join({"An error occurred while trying to load the module ", fileName, ".\n\n",
                 LoadErrorMessage(error)});
}

std::string NoItemText(std::string_view element, std::string_view value) {
    return Join({element, ": ", value, " (no item)"});
}

std::string ModuleErrorText(std::string_view fileName, const LoadFailure& failure) {
    std::string text = ModuleErrorText(fileName, failure.error);
    if (failure.at.line == 0) return text;
    const std::string_view file = failure.at.file;
    const size_t slash = file.rfind('/');
    return Join({text, "\n\n(line ", std::to_string(failure.at.line), " of ",
                 slash == std::string_view::npos ? file : file.substr(slash + 1), ")"});
}

std::string CannotText(FileAction action, std::string_view path, std::string_view reason) {
    return Join({"Cannot ", ActionWord(action), " ", path, ": ", reason});
}

std::string InterruptedSaveUndoneText(std::string_view file) {
    return Join({"An interrupted save of ", file,
                 " was undone; your changes are still in the recovery journal."});
}

std::string LeftUnchangedText(std::string_view failure, std::string_view rom) {
    return Join({failure, ". ", rom, " was left unchanged."});
}

std::string PartlyChangedText(std::string_view failure, std::string_view undoFailure, std::string_view rom,
                              std::string_view rollbackFile) {
    return Join({failure, ". Putting the old bytes back failed too (", undoFailure, "): ", rom,
                 " may be partly changed. The rollback file ", rollbackFile,
                 " is kept; the next time the ROM is opened, the old bytes are put back."});
}

std::string UnsafePartlyChangedText(std::string_view failure, std::string_view rom) {
    return Join({failure, ". ", rom, " was written without a rollback file and may be partly changed."});
}

std::string RollbackNotRegularReason(std::string_view rollbackFile) {
    return Join({"its rollback file ", rollbackFile,
                 " is not a regular file; Quillmoor neither follows nor removes it"});
}

std::string RollbackForeignReason(std::string_view rollbackFile) {
    return Join({"its rollback file ", rollbackFile,
                 " was not written for this file as it is now (it was replaced, moved or damaged since); "
                 "remove the rollback file if the ROM is whole"});
}

std::string RollbackNeedsWriteReason(std::string_view rollbackFile, std::string_view reason) {
    return Join({"an interrupted save left ", rollbackFile,
                 ", and undoing it needs to write the file: ", reason});
}

std::string QlmNoRollbackText(std::string_view rom, std::string_view reason) {
    return Join({"Cannot write ", rom, ": its folder is not writable (", reason,
                 "), so no rollback file can be kept beside it to undo a write cut short. Nothing was "
                 "written. With --unsafe-in-place, qlm writes in place without that safety."});
}

std::string NoRollbackQuestionText(std::string_view rom) {
    return Join({"The folder of ", rom,
                 " is not writable, so Quillmoor cannot keep the rollback file beside it that undoes a save "
                 "cut short by a crash or a full disk. Save in place without that safety?"});
}

std::string LinkFileTooLongReason(size_t maxLines) {
    return Join({"it names more than ", std::to_string(maxLines), " modules"});
}

std::string LineTooLongReason(uint64_t line) {
    return Join({"line ", std::to_string(line), " is longer than 65536 bytes"});
}

const char kEditorUsage[] = "Usage: quillmoor [MODULE [ROM]]\n"
                            "\n"
                            "Quillmoor edits fixed-length tables inside ROM image files, as module files\n"
                            "describe them.\n"
                            "\n"
                            "  MODULE       load this module file (.qlm) at start-up\n"
                            "  ROM          then open this ROM image, as Open Rom does (its link file\n"
                            "               included)\n"
                            "  -h, --help   show this text and exit\n"
                            "  --version    show the version and exit\n"
                            "\n"
                            "The toolkit's own options (-style NAME, -platform NAME, -reverse, ...) are\n"
                            "passed on to it; any other option is ignored with a warning.\n"
                            "\n"
                            "Exit status: 0 when the editor closes normally, 2 when the command line\n"
                            "names more than a module and a ROM.\n";

std::string EditorIgnoredOptionText(std::string_view option) {
    return Join({"ignoring unknown option '", option, "'"});
}

const char kQlmUsage[] = "Usage: qlm COMMAND ARGUMENTS\n"
                         "\n"
                         "Quillmoor's command-line companion for module authors and build scripts.\n"
                         "\n"
                         "Commands:\n"
                         "  qlm check [--warnings] [--strict] MODULE\n"
                         "      Load MODULE and its side files as the editor does. Prints the title,\n"
                         "      entry count, entry length, base offset and element count, or the\n"
                         "      file and line of the error that stopped the load.\n"
                         "      -W, --warnings  also list what loads but is probably a mistake, one\n"
                         "                      warning per line, each with its file and line\n"
                         "      --strict        list warnings and fail (status 1) when there are any\n"
                         "  qlm dump MODULE ROM\n"
                         "      Print every entry of the table in ROM as CSV: a header row, then one\n"
                         "      row per entry with its label and each element as the editor shows it.\n"
                         "  qlm layout MODULE\n"
                         "      Print one entry of MODULE as a byte map: one line per byte range with\n"
                         "      its offset, its length and the elements covering it.\n"
                         "  qlm set MODULE ROM ENTRY ELEMENT VALUE\n"
                         "      Store VALUE into one element of one entry and write ROM in place.\n"
                         "      ENTRY is a number (0x10 and 020 work too). ELEMENT is an element's\n"
                         "      exact name or else its 0-based index. VALUE is read strictly: a number\n"
                         "      must be the whole value, in the element's range; a text must fit and\n"
                         "      use only characters of the character table; a hex array is two hex\n"
                         "      digits per byte. A dropbox takes a value's name, label or number.\n"
                         "  qlm import MODULE ROM CSV\n"
                         "      Read CSV (as qlm dump writes it; the first column is the entry's\n"
                         "      label or number, then element names in any order, a subset allowed)\n"
                         "      into ROM. Every cell is checked first: one bad cell changes nothing\n"
                         "      and the bad cells are listed with their row and column. Only the\n"
                         "      entries that change are written.\n"
                         "  qlm diff [--bytes] MODULE ROM_A ROM_B\n"
                         "      Print, as CSV (Entry,Element,Before,After), every element whose text\n"
                         "      differs between ROM_A and ROM_B, in entry then element order.\n"
                         "      --bytes  then list the byte ranges outside the table that differ\n"
                         "               (Offset,Length, in hexadecimal)\n"
                         "      Exit status as diff(1): 0 when nothing differs, 1 when something\n"
                         "      does, 2 on trouble.\n"
                         "  qlm patch create [--format ips|bps] ORIGINAL MODIFIED PATCH\n"
                         "      Write PATCH, an IPS or BPS patch (by PATCH's extension, .ips or .bps,\n"
                         "      unless --format says) that turns ORIGINAL into MODIFIED. IPS reaches\n"
                         "      only the first 16 MiB; BPS carries checksums of both files.\n"
                         "  qlm patch apply PATCH ORIGINAL OUTPUT\n"
                         "      Write OUTPUT, ORIGINAL with the IPS or BPS PATCH applied. A BPS patch\n"
                         "      made for another file, or damaged, is refused. OUTPUT is written\n"
                         "      whole or not at all, and never over ORIGINAL.\n"
                         "  --form-rules (set, import)\n"
                         "      Read values as the editor's form does: numbers as far as they read,\n"
                         "      keeping their low bytes.\n"
                         "  --unsafe-in-place (set, import)\n"
                         "      Write ROM in place even where its folder is not writable, so that no\n"
                         "      rollback file (ROM.qlm-journal) can make the write all or nothing.\n"
                         "  qlm --help\n"
                         "      Show this text.\n"
                         "  qlm --version\n"
                         "      Show the version.\n"
                         "\n"
                         "Exit status: 0 on success, 1 when a file or a value is refused,\n"
                         "2 when the command line itself is wrong.\n";

std::string QlmCommandLineText(std::string_view problem) {
    return Join({"qlm: ", problem, "\n\n", kQlmUsage});
}

std::string QlmDiffIncompatibleText(std::string_view romPath) {
    return Join({romPath, ": ", kIncompatibleText});
}

std::string QlmDiffLengthsText(std::string_view pathA, uint64_t lengthA, std::string_view pathB,
                               uint64_t lengthB) {
    return Join({"qlm: ", pathA, " is ", Counted(static_cast<int64_t>(lengthA), "byte", "bytes"),
                 " long and ", pathB, " ", Counted(static_cast<int64_t>(lengthB), "byte", "bytes"),
                 "; only the table and what both hold are compared."});
}

std::string QlmOperandCountText(std::string_view command, size_t expected, size_t given) {
    return Join({"'", command, "' takes ", std::to_string(expected),
                 expected == 1 ? " argument" : " arguments", ", ", std::to_string(given), " given"});
}

std::string QlmUnknownCommandText(std::string_view command) {
    return Join({"unknown command '", command, "'"});
}

std::string QlmLoadErrorText(std::string_view path, uint64_t line, LoadError error,
                             std::string_view element) {
    std::string text = Join({path, line == 0 ? "" : ":", line == 0 ? "" : std::to_string(line), ": error ",
                             std::to_string(LoadErrorId(error)), ": ", LoadErrorMessage(error)});
    return element.empty() ? text : Join({text, " (element \"", element, "\")"});
}

std::string QlmWarningText(std::string_view path, uint64_t line, std::string_view text) {
    return Join({path, ":", std::to_string(line), ": warning: ", text});
}

std::string QlmUnknownOptionText(std::string_view option) {
    return Join({"unknown option '", option, "'"});
}

std::string QlmCheckSummary(std::string_view title, int64_t entries, int64_t entryLength, uint32_t baseOffset,
                            int64_t elements) {
    return Join({title, ": ", Counted(entries, "entry", "entries"), " of ",
                 Counted(entryLength, "byte", "bytes"), ", base offset ", HexText::Number(baseOffset), ", ",
                 Counted(elements, "element", "elements")});
}

std::string QlmNoEntryText(std::string_view entry, int64_t count) {
    return Join({"No entry ", Excerpt(entry), " in this module: its entries are numbered 0 to ",
                 std::to_string(count - 1), "."});
}

std::string QlmNoElementText(std::string_view element) {
    return Join({"No element named \"", Excerpt(element), "\" in this module, nor one with that index."});
}

std::string QlmNotInListText(std::string_view elementName, std::string_view value) {
    return Join({Excerpt(elementName), ": \"", Excerpt(value),
                 "\" is neither the name nor the value of an item of its list."});
}

namespace {

std::string ByteRange(uint64_t first, uint64_t last) {
    if (first == last) return "byte " + std::to_string(first);
    return Join({"bytes ", std::to_string(first), "-", std::to_string(last)});
}

} // namespace

std::string LintCharTableMissingText(std::string_view tableLine) {
    return Join({"character table \"", tableLine, "\" not found; text elements show their bytes unmapped"});
}

std::string LintOverlapText(std::string_view element, std::string_view earlier, uint64_t first,
                            uint64_t last) {
    return Join({"element \"", element, "\" overlaps \"", earlier, "\" at ", ByteRange(first, last)});
}

std::string LintUncoveredText(uint64_t first, uint64_t last) {
    return "no element covers " + ByteRange(first, last);
}

std::string LintValueTooLargeText(std::string_view element, uint32_t value, uint32_t size) {
    return Join({"value ", std::to_string(value), " does not fit in the ", Counted(size, "byte", "bytes"),
                 " of element \"", element, "\""});
}

std::string LintDuplicateValueText(std::string_view element, uint32_t value, uint64_t firstLine) {
    return Join({"value ", std::to_string(value), " of element \"", element, "\" is already on line ",
                 std::to_string(firstLine)});
}

std::string LintFewNamesText(uint64_t names, int64_t entries) {
    return Join({"the entry names file names ", std::to_string(names), " of ",
                 Counted(entries, "entry", "entries"), "; the others get bare labels"});
}

std::string LintTextTableOnElementText(std::string_view element, std::string_view listLine) {
    return Join({"text element \"", element, "\" names \"", listLine,
                 "\", which is read only for dropboxes; this module has no character table"});
}

std::string QlmCoveredText(std::string_view elementName, std::string_view coveringName) {
    return Join({Excerpt(elementName), ": the value would not be stored; the later element \"",
                 Excerpt(coveringName), "\" covers it with its own bytes."});
}

std::string QlmTextTooLongText(std::string_view elementName, size_t characters, uint32_t size) {
    return Join({Excerpt(elementName), ": the text has ", std::to_string(characters),
                 " characters; the element holds ", std::to_string(size), "."});
}

std::string CsvUnterminatedText(size_t row) {
    return Join({"Row ", std::to_string(row), ": a quoted cell is not closed before the end of the file."});
}

std::string CsvAfterQuoteText(size_t row) {
    return Join({"Row ", std::to_string(row), ": a quoted cell has more text after its closing quote."});
}

std::string StrictNumberText(std::string_view elementName, std::string_view value, std::string_view min,
                             std::string_view max) {
    return Join({Excerpt(elementName), ": \"", Excerpt(value), "\" is not a whole number from ", min, " to ",
                 max, "."});
}

std::string StrictHexArrayText(std::string_view elementName, std::string_view value, uint32_t groups) {
    return Join({Excerpt(elementName), ": \"", Excerpt(value), "\" is not ", std::to_string(groups),
                 groups == 1 ? " group" : " groups", " of two hex digits."});
}

std::string StrictCharacterText(std::string_view elementName, char character) {
    return Join({Excerpt(elementName), ": the character \"", Excerpt(std::string_view(&character, 1)),
                 "\" has no code in the character table."});
}

std::string ImportNoColumnText(std::string_view column) {
    return Join({"No element named \"", Excerpt(column), "\" in this module."});
}

std::string ImportTwoColumnsText(std::string_view column) {
    return Join({"The element \"", Excerpt(column), "\" has two columns."});
}

std::string ImportCellCountText(size_t cells, size_t columns) {
    return Join({"The row has ", Counted(static_cast<int64_t>(cells), "cell", "cells"), "; the header has ",
                 std::to_string(columns), "."});
}

std::string ImportNoEntryText(std::string_view entry) {
    return Join({"No entry \"", Excerpt(entry),
                 "\" in this module: the first column holds an entry's label or number."});
}

std::string ImportEntryTwiceText(std::string_view entry, size_t firstRow) {
    return Join({"The entry \"", Excerpt(entry), "\" is also in row ", std::to_string(firstRow), "."});
}

std::string ImportCellText(size_t row, size_t column, std::string_view problem) {
    return Join({"Row ", std::to_string(row), ", column ", std::to_string(column), ": ", problem});
}

std::string ImportProblemsText(const std::string& listedLines, size_t listed, size_t count) {
    std::string text = Join({Counted(static_cast<int64_t>(count), "bad cell", "bad cells"),
                             ", nothing changed:\n", listedLines});
    if (count > listed) text += Join({"\n... and ", std::to_string(count - listed), " more."});
    return text;
}

std::string ImportFirstColumnText(std::string_view found) {
    return Join({"The first column is \"", Excerpt(found), "\"; it must be the entry column, \"",
                 kQlmEntryHeading, "\", as qlm dump writes it."});
}

std::string ImportChangedNoOutputText(size_t entries) {
    return Join({kQlmOutputFailed, "; the ROM was written: ", ImportChangedText(entries)});
}

std::string CommandOutOfMemoryText() {
    return "Quillmoor ran out of memory; the command stopped before it was done. The open ROM and its "
           "unsaved changes are kept.";
}

std::string ModuleFailuresText(const std::vector<std::string>& listed, size_t count) {
    std::string text = Join({Counted(static_cast<int64_t>(count), "module", "modules"),
                             " of the link file could not be loaded:"});
    for (const std::string& line : listed)
        text += "\n\n" + line;
    if (count > listed.size())
        text += Join({"\n\n... and ", std::to_string(count - listed.size()), " more."});
    return text;
}

std::string ImportChangedText(size_t entries) {
    return Counted(static_cast<int64_t>(entries), "entry", "entries") + " changed.";
}

std::string DocumentTitle(std::string_view romName, bool modified) {
    std::string title = "Quillmoor - ";
    title += romName;
    if (modified) title += " *";
    return title;
}

namespace {

// A menu shows a '&' of a file's name, rather than taking it for a mnemonic,
// when it is doubled.
std::string MenuLiteral(std::string_view text) {
    std::string literal;
    for (const char c : text) {
        if (c == '&') literal += '&';
        literal += c;
    }
    return literal;
}

} // namespace

std::string RecentRomLabel(size_t number, std::string_view name, std::string_view folder) {
    // The last digit is the mnemonic: "&1" to "&9", then "1&0".
    const std::string digits = std::to_string(number);
    std::string label = digits.substr(0, digits.size() - 1) + "&" + digits.back() + " " + MenuLiteral(name);
    if (!folder.empty()) label += " (" + MenuLiteral(folder) + ")";
    return label;
}

std::string RecentRomMissingText(std::string_view path) {
    return Join({path, " no longer exists; it was removed from Recent Roms."});
}

std::string RebuiltRomQuestionText(std::string_view fileName) {
    return Join(
            {fileName, " was changed on disk by another program. Reload it and drop your unsaved changes?"});
}

std::string VanishedRomText(std::string_view path) {
    return Join({path,
                 " is no longer on the disk: another program removed or renamed it. The ROM stays open as it "
                 "was."});
}

std::string ReloadedTitle(std::string_view title) {
    return Join({title, " - reloaded, the file changed on disk"});
}

std::string SideWindowTitle(SideWindow window, std::string_view moduleName, bool modified) {
    std::string title(moduleName);
    if (!title.empty()) title += " - ";
    if (window == SideWindow::Bytes) title += "Bytes - ";
    title += kAppTitle;
    if (modified) title += " *";
    return title;
}

std::string EntryBytesHeading(std::string_view module, std::string_view label, uint32_t length,
                              std::string_view offset) {
    return Join({module, ", ", label, " (", std::to_string(length), " bytes at ", offset, ")"});
}

std::string BytesNoEntryText(std::string_view module) {
    return Join({module, ": no entry shown."});
}

std::string ChangedElementLabel(std::string_view name) {
    return Join({name, " *"});
}

std::string ChangedOnDiskText(std::string_view fileName) {
    return Join({fileName, " was changed on disk by another program since it was opened or last saved. "
                           "Overwrite it with Quillmoor's copy?"});
}

std::string RecoveryQuestionText(std::string_view fileName, size_t steps) {
    return Join({fileName, " has ", std::to_string(steps),
                 " changes that were applied but not saved when Quillmoor last closed. Restore them?"});
}

std::string RecoveryChangedText(std::string_view fileName, size_t steps) {
    return Join({fileName, " has ", std::to_string(steps),
                 " unsaved changes from when Quillmoor last closed, but the file has changed since; "
                 "the changes cannot be restored."});
}

std::string RecoveryOffText(std::string_view why) {
    return Join({"Recovery is off for this ROM until it is opened again: ", why,
                 ". Applied changes are kept only in memory until they are saved."});
}

std::string RecoveryInUseText(std::string_view fileName) {
    return Join({fileName, " is open in another Quillmoor window; crash recovery is off in this one. "
                           "Applied changes are kept only in memory until they are saved."});
}

std::string RecoveryRefusedText(std::string_view why) {
    return Join({"The change was not made, because the recovery journal could not keep it. ", why, "."});
}

namespace {

std::string Hex(uint64_t value) {
    return HexText::Number(value);
}

std::string Crc(uint32_t value) {
    return HexText::Padded(value, 8);
}

} // namespace

std::string QlmPatchFormatUnknownText(std::string_view path) {
    return Join({"cannot tell the patch format from '", path,
                 "': name it .ips or .bps, or give --format ips or --format bps"});
}

std::string QlmPatchFormatWordText(std::string_view word) {
    return Join({"--format takes ips or bps, not '", word, "'"});
}

std::string QlmPatchActionText(std::string_view word) {
    return Join({"'patch' takes create or apply, not '", word, "'"});
}

std::string QlmPatchSameFileText(std::string_view written, std::string_view read, std::string_view what) {
    return Join({written, " and ", read, " are the same file; write ", what, " to a file of its own"});
}

std::string QlmInputCutShortText(std::string_view path) {
    return Join({path, " was cut short by another program while qlm read it; nothing was written"});
}

std::string PatchOutOfIpsReachText(uint64_t offset) {
    return Join({"The change at ", Hex(offset),
                 " is out of an IPS patch's reach: IPS offsets end at 16 MiB (0x1000000). "
                 "A BPS patch can reach it."});
}

std::string PatchTooLargeText(uint64_t length) {
    return Join({"A file of ", Hex(length),
                 " bytes is out of a patch's reach: patches reach files of at most 4 GiB."});
}

std::string PatchTruncatedText(uint64_t at) {
    return Join({"The patch is cut short: it ends inside what begins at its byte ", Hex(at), "."});
}

std::string PatchDamagedText(uint32_t stated, uint32_t actual) {
    return Join({"The patch is damaged: it states the CRC32 ", Crc(stated),
                 " for itself, but its bytes have ", Crc(actual), "."});
}

std::string PatchOtherSourceText(uint32_t expected, uint32_t actual) {
    return Join({"The patch was made for another file: it expects a file whose CRC32 is ", Crc(expected),
                 ", and this file's is ", Crc(actual), "."});
}

std::string PatchAlreadyAppliedText(uint32_t crc) {
    return Join({"The patch is already applied: this file's CRC32, ", Crc(crc),
                 ", is that of the file the patch makes."});
}

std::string PatchNumberTooLargeText(uint64_t at) {
    return Join({"The patch is damaged: the number at its byte ", Hex(at), " is too large."});
}

std::string PatchOutsideSourceText(uint64_t at) {
    return Join({"The patch is damaged: its step at byte ", Hex(at), " reads outside the original file."});
}

std::string PatchOutsideTargetText(uint64_t at) {
    return Join({"The patch is damaged: its step at byte ", Hex(at), " reaches outside the file it makes."});
}

std::string PatchTargetShortText(uint64_t made, uint64_t declared) {
    return Join(
            {"The patch is damaged: it makes ", Hex(made), " bytes of the ", Hex(declared), " it declares."});
}

std::string PatchResultDamagedText(uint32_t expected, uint32_t actual) {
    return Join({"The patched file's CRC32 is ", Crc(actual), ", not the ", Crc(expected),
                 " the patch expects: the patch is damaged."});
}

std::string PatchTruncationBeyondEndText(uint64_t length, uint64_t fileLength) {
    return Join({"The patch is damaged: it cuts the file to ", Hex(length), " bytes, but the file has only ",
                 Hex(fileLength), "."});
}

std::string PatchTrailingBytesText(uint64_t at) {
    return Join({"The patch is damaged: bytes follow its end mark, from its byte ", Hex(at), "."});
}
