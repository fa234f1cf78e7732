#include "platform/store/RegistryKey.h"

#include <algorithm>

namespace {
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

RegistryKey::RegistryKey(std::string name) : m_name(std::move(name)) {}

bool RegistryKey::NamesEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

RegistryKey* RegistryKey::FindSubkey(std::string_view name) {
    for (auto& key : m_subkeys) {
        if (NamesEqual(key->m_name, name)) return key.get();
    }
    return nullptr;
}

const RegistryKey* RegistryKey::FindSubkey(std::string_view name) const {
    return const_cast<RegistryKey*>(this)->FindSubkey(name);
}

RegistryKey& RegistryKey::ObtainSubkey(std::string_view name, bool& created) {
    if (RegistryKey* existing = FindSubkey(name)) {
        created = false;
        return *existing;
    }
    created = true;
    m_subkeys.push_back(std::make_unique<RegistryKey>(std::string(name)));
    return *m_subkeys.back();
}

bool RegistryKey::RemoveSubkey(std::string_view name) {
    auto it = std::find_if(m_subkeys.begin(), m_subkeys.end(),
                           [&](const auto& key) { return NamesEqual(key->m_name, name); });
    if (it == m_subkeys.end()) return false;
    m_subkeys.erase(it);
    return true;
}

const RegistryValue* RegistryKey::FindValue(std::string_view name) const {
    for (const auto& value : m_values) {
        if (NamesEqual(value.name, name)) return &value;
    }
    return nullptr;
}

void RegistryKey::SetValue(RegistryValue value) {
    for (auto& existing : m_values) {
        if (NamesEqual(existing.name, value.name)) {
            // Windows keeps the name's first spelling when a value is overwritten.
            existing.type = value.type;
            existing.data = std::move(value.data);
            return;
        }
    }
    m_values.push_back(std::move(value));
}
