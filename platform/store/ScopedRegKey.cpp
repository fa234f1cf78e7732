#include "platform/store/ScopedRegKey.h"

#include <utility>

ScopedRegKey::ScopedRegKey(ScopedRegKey&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}

ScopedRegKey& ScopedRegKey::operator=(ScopedRegKey&& other) noexcept {
    if (this != &other) {
        Reset();
        m_key = std::exchange(other.m_key, nullptr);
    }
    return *this;
}

ScopedRegKey::~ScopedRegKey() {
    Reset();
}

HKEY* ScopedRegKey::Receive() {
    Reset();
    return &m_key;
}

void ScopedRegKey::Reset() {
    if (m_key != nullptr) RegCloseKey(m_key);
    m_key = nullptr;
}
