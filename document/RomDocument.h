#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "document/EntryStore.h"
#include "document/FileResult.h"
#include "document/ImportedEntries.h"
#include "document/Observers.h"
#include "document/RecoveryFormat.h"
#include "platform/files/CFile.h"

class CTableModule;
class RecoveryJournal;

// The open ROM: its image, where it came from, whether it differs from what
// was last saved, and the journal of applied entries that undo and redo
// walk. The editor and qlm both work through it; it knows no window.
class RomDocument {
public:
    // One step may hold an entry before and after; the journal as a whole,
    // its bookkeeping counted, stays within this, dropping its oldest steps
    // first.
    static constexpr size_t kJournalLimit = size_t{64} << 20;

    // Called with the range of the image whose bytes changed.
    using Listener = std::function<void(uint32_t offset, uint32_t length)>;
    using Applied = EntryStore::Outcome;

    enum class SaveMode {
        // A file someone else changed since open or the last save is left
        // alone and reported as ChangedOnDisk.
        KeepChangedFile,
        // The whole image over the file, whatever happened to it.
        Overwrite,
    };
    // A save in place goes through a rollback file beside the ROM, so that
    // it happens whole or not at all (RollbackFile). Where the folder may
    // not be written, only the user can allow it without.
    enum class InPlace {
        Safe,
        UnsafeAllowed,
    };
    enum class SaveOutcome {
        Saved,
        ChangedOnDisk,
        // Nothing was written: no rollback file can be made beside the ROM.
        FolderNotWritable,
    };
    using SaveResult = Result<SaveOutcome, std::string>;

    RomDocument() = default;
    // A journal of another bound than kJournalLimit.
    explicit RomDocument(size_t journalLimit) : m_journalLimit(journalLimit) {}
    RomDocument(const RomDocument&) = delete;
    RomDocument& operator=(const RomDocument&) = delete;

    // Reads the whole file; name is what the title shows. On failure the
    // document keeps what it held. A save of the file cut short is undone
    // first (UndidInterruptedSave).
    FileResult Open(const std::string& path, const std::string& name);
    // Whether the last Open or OpenLocked put back the old bytes of a save
    // that was cut short.
    bool UndidInterruptedSave() const { return m_undidInterruptedSave; }
    // An image that never came from a file (tests, benchmarks): open, with
    // nowhere to save to, and unsaved when told so.
    void Adopt(const std::vector<uint8_t>& image, const std::string& name, bool modified = false);
    void Close();

    bool IsOpen() const { return m_open; }
    bool IsModified() const { return !m_savedPosition || *m_savedPosition != m_position; }

    const std::string& Path() const { return m_path; }
    const std::string& Name() const { return m_name; }
    // The path's folder, ending in '/', or empty.
    const std::string& Folder() const { return m_folder; }
    // The file as it was at open or at the last save; none for an adopted
    // image.
    const std::optional<CFile::Identity>& FileIdentity() const { return m_identity; }
    uint8_t* Data() { return m_image.get(); }
    const uint8_t* Data() const { return m_image.get(); }
    uint32_t Length() const { return m_length; }

    // Every element buffer of the module into its current entry (the
    // form's Apply), recorded as one step that undo can take back, changed
    // bytes or not. False, with nothing changed, for an entry or a table
    // the image does not hold.
    bool ApplyEntry(const CTableModule& module);
    // One element's value into one entry (EntryStore::StoreValue), a step of
    // its own when it changed a byte. Refused values and unchanged ones
    // record nothing; a table the image does not hold counts as unchanged.
    Applied ApplyValue(const CTableModule& module, int entry, int element, std::span<const uint8_t> value);
    // Many entries' new bytes (each the whole entry) as one step: one undo
    // takes them all back. `shownEntry` is what Undo and Redo of the step
    // return, the entry the form showed when it was applied. False, with
    // nothing changed, for a table that does not fit or an entry that is
    // not in it or of the wrong length.
    bool ApplyEntries(const CTableModule& module, const ImportedEntries& entries, int shownEntry);

    // Only the ranges changed since the last save while the file is the one
    // opened or last saved; the whole image when told to overwrite. The
    // bytes are on the disk before Saved is reported, and a failure leaves
    // the file as it was unless its text says otherwise. Holds the file's
    // lock, as qlm does, from the check for a changed file to the last byte.
    SaveResult Save(SaveMode mode, InPlace inPlace = InPlace::Safe);

    bool CanUndo() const { return m_position > m_first; }
    bool CanRedo() const { return m_position < m_first + m_steps.size(); }
    // The entry whose bytes went back (or forward); nullopt when there was
    // no step to take.
    std::optional<int> Undo();
    std::optional<int> Redo();

    // Every step that changes the image (apply, undo, redo) reaches this
    // journal before the image changes; a step it cannot keep is not taken
    // and TakeRefusal says why. Null: no journal (qlm, tests).
    void SetRecovery(RecoveryJournal* journal) { m_recovery = journal; }
    std::optional<std::string> TakeRefusal() { return std::exchange(m_refusal, std::nullopt); }
    // Steps a journal kept, taken again in order as steps of their own, so
    // Undo takes them back one by one; the journal already holds them.
    void Replay(const std::vector<RecoveryRecord>& steps);

    [[nodiscard]] Subscription Subscribe(Listener listener) {
        return m_listeners.Subscribe(std::move(listener));
    }

    // qlm's way in: the file held open for reading and writing, locked
    // against every other qlm until Close; nothing is read yet. A file that
    // may only be read opens all the same, and WriteRanges then fails. A
    // save cut short is undone first, as by Open.
    FileResult OpenLocked(const std::string& path);
    // After OpenLocked: only [offset, offset + length) becomes the image.
    FileResult ReadRange(uint64_t offset, uint32_t length);
    // The file's length as OpenLocked found it.
    uint64_t FileLength() const { return m_fileLength; }
    // Writes the given ranges (sorted, disjoint) of the range image back
    // where they came from, all or nothing (see InPlace), then flushes; the
    // file never grows or shrinks.
    FileResult WriteRanges(const std::vector<std::pair<uint32_t, uint32_t>>& ranges,
                           InPlace inPlace = InPlace::Safe);

private:
    // Tests look at the journal's size through it.
    friend class RomDocumentProbe;

    // One changed range of the image: its bytes before, then after, at `at`
    // in its step's buffer.
    using Piece = RecoveryPiece;
    // A step's ranges share one buffer, so a step of a million one-byte
    // entries costs a few bytes per entry, not an allocation per entry; and
    // its cost counts that bookkeeping too, so the journal's bound holds
    // whatever the entry length.
    struct Step {
        int entry;
        // Sorted by offset, disjoint; neighbouring ranges are one piece.
        std::vector<Piece> pieces;
        std::vector<uint8_t> bytes;
        size_t cost = 0;

        // Frees what was reserved and not used, and counts what is left.
        void Seal();
        std::span<const uint8_t> Before(const Piece& piece) const {
            return {bytes.data() + piece.at, piece.length};
        }
        std::span<const uint8_t> After(const Piece& piece) const {
            return {bytes.data() + piece.at + piece.length, piece.length};
        }
    };

    // Writes the piece's after bytes and marks what differs.
    void ApplyPiece(const Step& step, const Piece& piece);
    // The entry's place in the image; false when the image does not hold it.
    bool EntryOffset(const CTableModule& module, int entry, uint32_t& offset) const;
    // A one-piece step from the entry's bytes before and after.
    // False, with the image as it was, when the journal refused the step.
    bool RecordEntry(int entry, uint32_t offset, std::vector<uint8_t> before, uint32_t length);
    bool Journal(const Step& step, RecoveryRecord::Kind kind);
    // A new step to the undo history; the image already holds it.
    void Take(Step step);
    void Record(Step step);
    void Restore(const Step& step, bool after);
    void MarkDirty(uint32_t offset, uint32_t length);
    void Notify(uint32_t offset, uint32_t length);
    using Ranges = std::vector<std::pair<uint32_t, uint32_t>>;
    // What a save writes while the file is the one last seen: the changed
    // ranges, within its length.
    Ranges WriteChanged(uint64_t fileLength) const;
    // What an overwrite writes: every run of the file that differs from the
    // image, within the shorter of the two.
    Result<Ranges, std::string> WriteWhole(CFile& file) const;

    std::string m_path;
    std::string m_name;
    std::string m_folder;
    std::unique_ptr<uint8_t[]> m_image;
    uint32_t m_length = 0;
    bool m_open = false;
    // The file as it was at open or at the last save.
    std::optional<CFile::Identity> m_identity;

    // Steps [m_first, m_position) are applied, the rest can be redone;
    // positions count every step since open, dropped ones included.
    std::deque<Step> m_steps;
    size_t m_journalLimit = kJournalLimit;
    size_t m_journalBytes = 0;
    uint64_t m_first = 0;
    uint64_t m_position = 0;
    // Where the image equals the file; none once that state cannot come back.
    std::optional<uint64_t> m_savedPosition = 0;
    // Changed since the last save: sorted, disjoint [begin, end) ranges.
    std::vector<std::pair<uint32_t, uint32_t>> m_dirty;

    // OpenRange only.
    CFile m_file;
    uint64_t m_rangeOffset = 0;
    uint64_t m_fileLength = 0;
    // Why the file opened for reading only; 0 when it may be written.
    int m_writeErrno = 0;
    bool m_undidInterruptedSave = false;

    RecoveryJournal* m_recovery = nullptr;
    std::optional<std::string> m_refusal;

    Observers<uint32_t, uint32_t> m_listeners;
};
