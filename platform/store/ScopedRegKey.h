#pragma once

#include "platform/store/Registry.h"

// Owns an open key handle and closes it when it goes, so an early return in
// the association code cannot leak a handle.
class ScopedRegKey {
public:
    ScopedRegKey() = default;
    explicit ScopedRegKey(HKEY key) : m_key(key) {}
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;
    ScopedRegKey(ScopedRegKey&& other) noexcept;
    ScopedRegKey& operator=(ScopedRegKey&& other) noexcept;
    ~ScopedRegKey();

    HKEY Get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }
    // Closes what is held and hands out the slot for RegOpenKeyEx and
    // RegCreateKeyEx to fill.
    HKEY* Receive();
    void Reset();

private:
    HKEY m_key = nullptr;
};
