#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "document/FileResult.h"
#include "document/RecoveryFormat.h"
#include "document/RecoveryLock.h"
#include "platform/files/CFile.h"

// The editor's record of applied, unsaved steps of one ROM, on the disk
// before each step is taken, so a crash or a killed session loses none of
// them. It lives under $XDG_STATE_HOME/quillmoor/recovery/ (folder 0700, file
// 0600), named by a hash of the ROM's canonical path. Only a regular file is
// ever read or written there: a link or a FIFO in its place is refused.
// From Attach to Detach the journal is this editor's alone (RecoveryLock);
// one that another editor holds is never read, moved or written, and
// recovery is off here instead.
class RecoveryJournal {
public:
    enum class Found {
        None,
        // A journal of the ROM as it is on the disk: its steps can be restored.
        Matches,
        // A journal of this path, but the file changed since: never applied.
        Changed,
    };
    struct Pending {
        Found found = Found::None;
        // The steps still applied when the journal was last written, oldest first.
        std::vector<RecoveryRecord> steps;
    };
    // fdatasync, replaceable so that tests can make it fail.
    using Sync = std::function<int(int fd)>;

    RecoveryJournal() = default;
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal&) = delete;
    RecoveryJournal& operator=(const RecoveryJournal&) = delete;

    // $XDG_STATE_HOME/quillmoor/recovery, with ~/.local/state for an unset
    // or relative XDG_STATE_HOME.
    static std::string Folder();
    // The journal's path for a ROM at this path.
    static std::string PathFor(const std::string& romPath);

    // Ties the journal to the ROM just opened (its identity and image as
    // read) and tells what a journal left for it holds; nothing while
    // another editor holds it.
    const Pending& Attach(const std::string& romPath, const CFile::Identity& identity,
                          std::span<const uint8_t> image);
    // Lets the ROM go; its journal stays where it is.
    void Detach();
    bool IsAttached() const { return !m_romPath.empty(); }
    const Pending& Found() const { return m_pending; }

    // Hands over the pending steps to be restored; later steps follow them
    // in the same journal.
    std::vector<RecoveryRecord> Continue();
    // Renames the journal with a ".discarded" suffix, over the one before;
    // only a journal this editor holds.
    void SetAside();
    // The image equals the file again (saved, or the user dropped the
    // edits, or undo went back to the save): no journal; the next step
    // starts a new one against `identity`. While recovery is off whatever
    // lies at the journal's path is not ours and stays.
    void Remove();
    void Rebase(const CFile::Identity& identity);

    // Puts the step on the disk. A failure leaves the journal as it was and
    // the step must not be taken. A journal that cannot be opened at all
    // turns recovery off for this ROM instead (TakeNotice says so, once), as
    // does a journal another editor holds, from Attach on.
    FileResult Append(const RecoveryStepView& step);
    // Recovery is off and the user has not been told yet: the text.
    std::optional<std::string> TakeNotice();
    bool IsOff() const { return m_off; }
    const std::string& Path() const { return m_path; }

    void SetSync(Sync sync) { m_sync = std::move(sync); }

private:
    // The folder opened (made when missing), or -1 with errno.
    static int OpenFolder();
    bool TakeLock();
    bool OpenForAppend(std::string& reason);
    void TurnOff(const std::string& reason);
    void CloseFile();
    FileResult WriteAll(const std::vector<uint8_t>& bytes);

    std::string m_romPath;
    std::string m_path;
    CFile::Identity m_base;
    Pending m_pending;
    // The length of the journal's last whole record, for Continue.
    uint64_t m_pendingEnd = 0;
    bool m_continue = false;
    int m_fd = -1;
    uint64_t m_end = 0;
    bool m_off = false;
    bool m_told = false;
    std::string m_offNotice;
    RecoveryLock m_lock;
    Sync m_sync;
};
