#pragma once

#include <string>

// One editor's exclusive hold on a ROM's recovery journal, so that a second
// editor on the same ROM never reads, replays, moves or deletes the steps of
// the one still running. The hold is an flock() on a file of its own beside
// the journal, not on the journal: the journal is made only at the first
// step, unlinked at a save and renamed aside, and a lock on a name that was
// unlinked or renamed guards nothing, while the hold must last from the open
// to the close. The kernel drops an flock() with its process, so a crashed
// editor leaves no stale hold behind.
class RecoveryLock {
public:
    enum class Outcome {
        Held,
        // Another editor holds it.
        Busy,
        // The lock file could not be opened; errno says why.
        Failed,
    };

    RecoveryLock() = default;
    ~RecoveryLock() { Release(); }
    RecoveryLock(const RecoveryLock&) = delete;
    RecoveryLock& operator=(const RecoveryLock&) = delete;

    // Never blocks. The folder must exist.
    Outcome Take(const std::string& path);
    void Release();
    bool Held() const { return m_fd >= 0; }

private:
    std::string m_path;
    int m_fd = -1;
};
