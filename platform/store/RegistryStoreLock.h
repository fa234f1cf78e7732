#pragma once

#include <filesystem>

// Serialises read-modify-write cycles on the store between programs: two
// editors toggling the association at once would otherwise each write back
// the store as they read it and lose the other's keys. Best effort: when the
// lock file cannot be made, the write that follows reports the real problem.
class RegistryStoreLock {
public:
    explicit RegistryStoreLock(const std::filesystem::path& folder);
    RegistryStoreLock(const RegistryStoreLock&) = delete;
    RegistryStoreLock& operator=(const RegistryStoreLock&) = delete;
    ~RegistryStoreLock();

    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
