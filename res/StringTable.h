#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "res/resource.h"
#include "table/LoadError.h"
#include "table/LoadFailure.h"

// The string catalogue: every text the editor's document layer and qlm show
// the user, each written once. The core names its failures (LoadError); the
// words for them are here.

// How many characters of a cell or a line from a file a message quotes.
inline constexpr size_t kExcerptCharacters = 60;
// Text from outside (a cell, a name from a file) as a message may quote it:
// at most kExcerptCharacters characters, then "...", with control characters
// and bytes that are not UTF-8 written as \xNN, so a terminal or a message
// box shows it and never acts on it.
std::string Excerpt(std::string_view text);

// --- Shown by both the editor and qlm ---

// The program's name, and the caption of its message boxes.
inline constexpr char kAppTitle[] = "Quillmoor";

// The module does not fit the open ROM image.
inline constexpr char kIncompatibleText[] = "This module and this rom are not compatible.";
// A hex-array value that is not two digits per byte with one blank between.
inline constexpr char kBadHexArrayText[] = "One of your hex arrays is improperly formatted.";
// Storing a value into an element whose style carries the biscuit bit.
inline constexpr char kBiscuitText[] = "LET'S MAKE BISCUITS!";
inline constexpr char kBiscuitCaption[] = "Biscuits";
// A dropbox value applied with no item picked.
inline constexpr char kNoSelectionText[] = "One of the dropdown boxes does not have a valid selection.";

// --- Load errors ---

// Ids the loader adds beyond the classic 1, 2 and 4 to 13 (res/resource.h).
// A count (entries or dropbox values) that is negative or above the bound.
inline constexpr int IDS_ERR_COUNT_RANGE = 14;
// The module file or a side file failed to read before its end.
inline constexpr int IDS_ERR_READ = 15;
// Memory ran out while the module or a side file was being loaded.
inline constexpr int IDS_ERR_OUT_OF_MEMORY = 16;
// A line of the module or a side file longer than CArchive::kLineLimit.
inline constexpr int IDS_ERR_LINE_TOO_LONG = 17;
// More elements or list values than the form is built for.
inline constexpr int IDS_ERR_TOO_LARGE = 18;

// The id users and module authors know the error by; 0 for None.
int LoadErrorId(LoadError error);
// The message of the error; empty for None.
std::string_view LoadErrorMessage(LoadError error);
// The editor's "Module Error" box: "An error occurred while trying to load
// the module <fileName>.\n\n<message>".
std::string ModuleErrorText(std::string_view fileName, LoadError error);
// The same with a last line "(line <n> of <name of the failing file>)" when
// the failure names a line.
std::string ModuleErrorText(std::string_view fileName, const LoadFailure& failure);

// A dropbox whose bytes match none of its items, with its raw value:
// "Habitat: 0x07 (no item)".
std::string NoItemText(std::string_view element, std::string_view value);

// --- Files ---

enum class FileAction {
    Open,
    Read,
    Write,
    Create,
    Save,
};
// "Cannot <action> <path>: <reason>".
std::string CannotText(FileAction action, std::string_view path, std::string_view reason);
inline constexpr char kRomTooLargeReason[] =
        "the file is 4 GiB or larger, and Quillmoor opens ROM images only up to 4 GiB less one byte";
inline constexpr char kRomShrankReason[] = "the file became shorter while it was read";
// Saving with no ROM open: the reason, and what stands for the path.
inline constexpr char kNoRomOpenReason[] = "no ROM file is open";
inline constexpr char kNoRomPath[] = "(no file)";
// A link file of more lines than Quillmoor reads.
std::string LinkFileTooLongReason(size_t maxLines);
// A file whose line <line> is longer than CArchive::kLineLimit.
std::string LineTooLongReason(uint64_t line);

// --- Saves in place and their rollback file (<rom>.qlm-journal) ---

// A leftover rollback file was applied before the ROM was opened.
std::string InterruptedSaveUndoneText(std::string_view file);
// A save that failed and changed nothing: the failure, then
// "<rom> was left unchanged."
std::string LeftUnchangedText(std::string_view failure, std::string_view rom);
// A save that failed and whose undoing failed too; the rollback file stays
// for the next open to apply.
std::string PartlyChangedText(std::string_view failure, std::string_view undoFailure, std::string_view rom,
                              std::string_view rollbackFile);
// A save without a rollback file that failed partway.
std::string UnsafePartlyChangedText(std::string_view failure, std::string_view rom);
// Reasons a ROM with a leftover rollback file is not opened.
std::string RollbackNotRegularReason(std::string_view rollbackFile);
std::string RollbackForeignReason(std::string_view rollbackFile);
std::string RollbackNeedsWriteReason(std::string_view rollbackFile, std::string_view reason);
// qlm refusing to write where no rollback file can be made.
std::string QlmNoRollbackText(std::string_view rom, std::string_view reason);
// The editor's question in the same case.
std::string NoRollbackQuestionText(std::string_view rom);

// --- The editor's command line ---

extern const char kEditorUsage[];
inline constexpr char kEditorUsageHint[] = "Try 'quillmoor --help' for more information.\n";
inline constexpr char kEditorTooManyArguments[] = "too many arguments (at most a module and a ROM)";
// "ignoring unknown option '<option>'".
std::string EditorIgnoredOptionText(std::string_view option);

// --- qlm ---

extern const char kQlmUsage[];
// A refused command line: "qlm: <problem>", a blank line, the usage.
std::string QlmCommandLineText(std::string_view problem);
inline constexpr char kQlmNoCommand[] = "no command given";
// "'<command>' takes <expected> argument(s), <given> given".
std::string QlmOperandCountText(std::string_view command, size_t expected, size_t given);
std::string QlmUnknownCommandText(std::string_view command);
inline constexpr char kQlmOutputFailed[] = "qlm: cannot write to standard output";
// qlm diff: the two CSV sections it writes, and its complaints.
inline constexpr char kQlmDiffHeader[] = "Entry,Element,Before,After\r\n";
inline constexpr char kQlmDiffBytesHeader[] = "\r\nOffset,Length\r\n";
std::string QlmDiffIncompatibleText(std::string_view romPath);
std::string QlmDiffLengthsText(std::string_view pathA, uint64_t lengthA, std::string_view pathB,
                               uint64_t lengthB);
// "<path>:<line>: error <id>: <message>", then ` (element "<name>")` when
// the error belongs to an element; no ":<line>" for line 0.
std::string QlmLoadErrorText(std::string_view path, uint64_t line, LoadError error, std::string_view element);
// "<path>:<line>: warning: <text>".
std::string QlmWarningText(std::string_view path, uint64_t line, std::string_view text);
// check: "<title>: <n> entries of <n> bytes, base offset 0x<hex>, <n> elements".
std::string QlmCheckSummary(std::string_view title, int64_t entries, int64_t entryLength, uint32_t baseOffset,
                            int64_t elements);
// dump: the heading of the label column.
inline constexpr char kQlmEntryHeading[] = "Entry";
// set: an entry number outside the table; `count` entries are numbered from 0.
std::string QlmNoEntryText(std::string_view entry, int64_t count);
std::string QlmNoElementText(std::string_view element);
// set: a dropbox value that is neither a name nor a value of its list.
std::string QlmNotInListText(std::string_view elementName, std::string_view value);
// set: a text longer than its element.
std::string QlmTextTooLongText(std::string_view elementName, size_t characters, uint32_t size);
// set: a later element of the entry stores its own bytes over the value.
std::string QlmCoveredText(std::string_view elementName, std::string_view coveringName);
// check --warnings: what a module may mean by mistake. A byte range reads
// "byte 19" or "bytes 4-7" (first and last, in the entry).
std::string LintCharTableMissingText(std::string_view tableLine);
std::string LintOverlapText(std::string_view element, std::string_view earlier, uint64_t first,
                            uint64_t last);
std::string LintUncoveredText(uint64_t first, uint64_t last);
std::string LintValueTooLargeText(std::string_view element, uint32_t value, uint32_t size);
std::string LintDuplicateValueText(std::string_view element, uint32_t value, uint64_t firstLine);
std::string LintFewNamesText(uint64_t names, int64_t entries);
std::string LintTextTableOnElementText(std::string_view element, std::string_view listLine);
// layout: the column headings and the word for bytes no element covers.
inline constexpr char kQlmLayoutOffset[] = "offset";
inline constexpr char kQlmLayoutLength[] = "length";
inline constexpr char kQlmLayoutElements[] = "elements";
inline constexpr char kQlmLayoutUncovered[] = "(uncovered)";
// check: an option word it does not know.
std::string QlmUnknownOptionText(std::string_view option);

// patch: PATCH's name ends in neither .ips nor .bps and no --format was given.
std::string QlmPatchFormatUnknownText(std::string_view path);
// patch: --format followed by a word other than ips or bps, or by nothing.
std::string QlmPatchFormatWordText(std::string_view word);
// patch: the word after "patch" is neither create nor apply.
std::string QlmPatchActionText(std::string_view word);
// patch: the file to be written is one of the files read, which it would
// replace: "<written> and <read> are the same file; write <what> to a file of its own".
std::string QlmPatchSameFileText(std::string_view written, std::string_view read, std::string_view what);
// patch: another program cut an input short while qlm read it.
std::string QlmInputCutShortText(std::string_view path);

// --- Patches (qlm patch and the editor's Export Patch) ---

// Offsets, lengths and checksums in these texts are hexadecimal, 0x first.
// An IPS patch cannot address the change at `offset` (16 MiB or beyond).
std::string PatchOutOfIpsReachText(uint64_t offset);
// A file (or a patch's declared target) over the 4 GiB patches reach.
std::string PatchTooLargeText(uint64_t length);
inline constexpr char kPatchUnknownKind[] =
        "The file is not an IPS or BPS patch: it starts with neither \"PATCH\" nor \"BPS1\".";
// The patch ends in the middle of what begins at `at`.
std::string PatchTruncatedText(uint64_t at);
// A BPS patch whose own CRC32 differs from the one it states.
std::string PatchDamagedText(uint32_t stated, uint32_t actual);
// The input's CRC32 (or length) is not the source's the patch was made from.
std::string PatchOtherSourceText(uint32_t expected, uint32_t actual);
// The input is already the patch's target.
std::string PatchAlreadyAppliedText(uint32_t crc);
std::string PatchNumberTooLargeText(uint64_t at);
// The action at `at` reads outside the source, or outside or ahead of the target.
std::string PatchOutsideSourceText(uint64_t at);
std::string PatchOutsideTargetText(uint64_t at);
// The actions end having made `made` bytes of a target of `declared`.
std::string PatchTargetShortText(uint64_t made, uint64_t declared);
// The bytes made have another CRC32 than the target's the patch states.
std::string PatchResultDamagedText(uint32_t expected, uint32_t actual);
// An IPS truncation to a length beyond the file's.
std::string PatchTruncationBeyondEndText(uint64_t length, uint64_t fileLength);
// Bytes after an IPS patch's EOF that are not a truncation length.
std::string PatchTrailingBytesText(uint64_t at);
// Memory ran out for the file a patch makes.
inline constexpr char kPatchOutOfMemory[] =
        "There is not enough memory to apply the patch; nothing was written.";
// The writer's sink refused the patch's bytes.
inline constexpr char kPatchNotWritten[] = "The patch could not be written.";

// --- Tables in CSV (qlm import and the editor's Import Table) ---

// "Row <row>: a quoted cell is not closed before the end of the file."
std::string CsvUnterminatedText(size_t row);
// "Row <row>: a quoted cell has more text after its closing quote."
std::string CsvAfterQuoteText(size_t row);
// Strict reading: "<element>: "<value>" is not a whole number from <min> to <max>."
std::string StrictNumberText(std::string_view elementName, std::string_view value, std::string_view min,
                             std::string_view max);
// "<element>: "<value>" is not <n> groups of two hex digits."
std::string StrictHexArrayText(std::string_view elementName, std::string_view value, uint32_t groups);
// "<element>: the character "<c>" has no code in the character table."
std::string StrictCharacterText(std::string_view elementName, char character);
inline constexpr char kImportNoHeader[] = "The file has no header row.";
std::string ImportNoColumnText(std::string_view column);
std::string ImportTwoColumnsText(std::string_view column);
// A row whose cell count differs from the header's.
std::string ImportCellCountText(size_t cells, size_t columns);
std::string ImportNoEntryText(std::string_view entry);
std::string ImportEntryTwiceText(std::string_view entry, size_t firstRow);
// One bad cell: "Row <row>, column <column>: <problem>".
std::string ImportCellText(size_t row, size_t column, std::string_view problem);
// "<count> bad cell(s), nothing changed:", the listed lines, one per line,
// and "... and <n> more." when the list is cut short; no line end after the
// last line.
std::string ImportProblemsText(const std::string& listedLines, size_t listed, size_t count);
// qlm import's report: "<n> entry/entries changed."
std::string ImportChangedText(size_t entries);
// A header whose first cell is not the entry column.
std::string ImportFirstColumnText(std::string_view found);
// qlm import changed the ROM but could not print its report.
std::string ImportChangedNoOutputText(size_t entries);
// The editor ran out of memory in a command (std::bad_alloc).
std::string CommandOutOfMemoryText();
// Opening a ROM whose link file names modules that fail: the first failures'
// texts, then "... and <n> more." for the rest, in one box.
std::string ModuleFailuresText(const std::vector<std::string>& listed, size_t count);
// The editor's Import Table and Export Table boxes.
inline constexpr char kImportTableCaption[] = "Import Table";
inline constexpr char kExportTableCaption[] = "Export Table";
inline constexpr char kCsvFileFilter[] = "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*|";

// --- The editor window's texts, each written once -----------------------------

// The window's title while no ROM is open; the dialog template starts with it.
inline constexpr char kTitleNoFile[] = "Quillmoor - No file open";
// The window's title with a ROM open: "Quillmoor - " and the file name, and
// " *" after it while the image holds changes that are not saved.
std::string DocumentTitle(std::string_view romName, bool modified);
// Save Rom over a file that another program changed since it was opened or
// last saved.
std::string ChangedOnDiskText(std::string_view fileName);
// A ROM opened with applied, unsaved steps in its recovery journal; the
// count is the steps Undo would take back one by one.
std::string RecoveryQuestionText(std::string_view fileName, size_t steps);
// The same when the file changed after the journal was written.
std::string RecoveryChangedText(std::string_view fileName, size_t steps);
// Once per ROM when its journal cannot be made: editing goes on.
std::string RecoveryOffText(std::string_view why);
// Once per open of a ROM whose journal another editor holds: editing goes on.
std::string RecoveryInUseText(std::string_view fileName);
// A step not taken because its journal record could not be written.
std::string RecoveryRefusedText(std::string_view why);
// The windows beside the dialog: "<module name> - Quillmoor" for the table,
// "<module name> - Bytes - Quillmoor" for the bytes, the module's name left
// out without one, and " *" after either while the image holds unsaved
// changes, as in the main title.
enum class SideWindow {
    Table,
    Bytes
};
std::string SideWindowTitle(SideWindow window, std::string_view moduleName, bool modified);
// The table window's label of its filter box, and of the check box that
// keeps the rows that differ from the original.
inline constexpr char kFilterLabel[] = "Filter:";
inline constexpr char kChangedOnlyLabel[] = "Changed only";
// The editor's Export Patch: its box's caption and its file types.
inline constexpr char kExportPatchCaption[] = "Export Patch";
inline constexpr char kPatchFileFilter[] = "BPS patch (*.bps)|*.bps|IPS patch (*.ips)|*.ips|";
// A form row whose element differs from the original.
std::string ChangedElementLabel(std::string_view name);
// The bytes window's heading: the module, the entry's label, its length and
// where it lies in the ROM ("Bestiary, Quill hog (20 bytes at 0x68)"), or why
// no entry shows.
std::string EntryBytesHeading(std::string_view module, std::string_view label, uint32_t length,
                              std::string_view offset);
inline constexpr char kBytesNoModule[] = "No module loaded.";
std::string BytesNoEntryText(std::string_view module);
// The caption of the question asked before unsaved changes are dropped.
inline constexpr char kApplyQuestionText[] = "Apply changes before closing?";
inline constexpr char kApplyQuestionCaption[] = "Quillmoor";
// The file dialogs' filters: Load Modules, Open Rom.
inline constexpr char kModuleFileFilter[] = "Quillmoor modules (*.qlm)|*.qlm|";
inline constexpr char kRomFileFilter[] = "All Files (*.*)|*.*|";
// Associate .qlm Files when the store refused the change.
inline constexpr char kAssociateFailedText[] = "Could not associate .qlm files with Quillmoor.";
inline constexpr char kDisassociateFailedText[] = "Could not remove the association of .qlm files.";
// The caption of a module's load failure.
inline constexpr char kModuleErrorCaption[] = "Module Error";
// File > Recent Roms: the one grayed item of an empty list, and an item:
// "&1 game.rom" ... "1&0 game.rom", the folder after the name when another
// item has the same name: "&2 game.rom (/home/me/roms/)".
inline constexpr char kRecentRomsEmpty[] = "(empty)";
std::string RecentRomLabel(size_t number, std::string_view name, std::string_view folder);
// A recent ROM chosen after it was deleted or moved.
std::string RecentRomMissingText(std::string_view path);
// The open ROM's file was rebuilt by another program while the image holds
// changes that are not saved.
std::string RebuiltRomQuestionText(std::string_view fileName);
// The open ROM's file is gone from the disk; the image stays.
std::string VanishedRomText(std::string_view path);
// The main title for a few seconds after a ROM rebuilt on the disk was
// read again.
std::string ReloadedTitle(std::string_view title);
// Several files dropped that are not modules.
inline constexpr char kDropOneRomText[] =
        "Quillmoor opens one ROM at a time: drop a single ROM file (with any .qlm modules).";
