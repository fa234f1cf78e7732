#include "platform/store/RegistryKey.h"

#include <algorithm>

namespace {
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

RegistryKey::RegistryKey(std::string name) : m_name(std::move(name)) {}

// Each key destroying its own subkeys would recurse once per level, and a
// damaged store can nest deeper than the stack allows; the levels are taken
// apart here one key at a time instead.
RegistryKey::~RegistryKey() {
    std::vector<std::unique_ptr<RegistryKey>> doomed = std::move(m_subkeys);
    while (!doomed.empty()) {
        std::unique_ptr<RegistryKey> key = std::move(doomed.back());
        doomed.pop_back();
        for (auto& sub : key->m_subkeys)
            doomed.push_back(std::move(sub));
        key->m_subkeys.clear();
    }
}

std::string RegistryKey::Folded(std::string_view name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), AsciiLower);
    return folded;
}

bool RegistryKey::NamesEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

RegistryKey* RegistryKey::FindSubkey(std::string_view name) {
    auto it = m_subkeyNamed.find(Folded(name));
    return it == m_subkeyNamed.end() ? nullptr : it->second;
}

const RegistryKey* RegistryKey::FindSubkey(std::string_view name) const {
    return const_cast<RegistryKey*>(this)->FindSubkey(name);
}

RegistryKey& RegistryKey::ObtainSubkey(std::string_view name, bool& created) {
    auto [it, inserted] = m_subkeyNamed.try_emplace(Folded(name), nullptr);
    created = inserted;
    if (inserted) {
        try {
            m_subkeys.push_back(std::make_unique<RegistryKey>(std::string(name)));
        } catch (...) {
            m_subkeyNamed.erase(it);
            throw;
        }
        it->second = m_subkeys.back().get();
    }
    return *it->second;
}

bool RegistryKey::RemoveSubkey(std::string_view name) {
    auto named = m_subkeyNamed.find(Folded(name));
    if (named == m_subkeyNamed.end()) return false;
    auto it = std::find_if(m_subkeys.begin(), m_subkeys.end(),
                           [&](const auto& key) { return key.get() == named->second; });
    m_subkeyNamed.erase(named);
    if (it != m_subkeys.end()) m_subkeys.erase(it);
    return true;
}

const RegistryValue* RegistryKey::FindValue(std::string_view name) const {
    auto it = m_valueAt.find(Folded(name));
    return it == m_valueAt.end() ? nullptr : &m_values[it->second];
}

void RegistryKey::SetValue(RegistryValue value) {
    auto [it, inserted] = m_valueAt.try_emplace(Folded(value.name), m_values.size());
    if (!inserted) {
        // Windows keeps the name's first spelling when a value is overwritten.
        RegistryValue& existing = m_values[it->second];
        existing.type = value.type;
        existing.data = std::move(value.data);
        return;
    }
    try {
        m_values.push_back(std::move(value));
    } catch (...) {
        m_valueAt.erase(it);
        throw;
    }
}
