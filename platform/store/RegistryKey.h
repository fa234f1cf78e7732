#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One value of a key: its bytes are kept exactly as stored, so the data size
// a caller gave (with or without a terminating zero) survives a round trip.
struct RegistryValue {
    std::string name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

// A key of the in-memory tree that the store file is read into. Names are
// compared as Windows does, ignoring ASCII case, and kept as first written.
// Subkeys and values are found by name in constant time, so a store of many
// siblings loads in linear time, and a tree of any depth is destroyed
// without recursion.
class RegistryKey {
public:
    explicit RegistryKey(std::string name = {});
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    const std::string& Name() const { return m_name; }

    RegistryKey* FindSubkey(std::string_view name);
    const RegistryKey* FindSubkey(std::string_view name) const;
    // Returns the subkey, creating it when missing; created tells which.
    RegistryKey& ObtainSubkey(std::string_view name, bool& created);
    bool RemoveSubkey(std::string_view name);
    const std::vector<std::unique_ptr<RegistryKey>>& Subkeys() const { return m_subkeys; }

    const RegistryValue* FindValue(std::string_view name) const;
    void SetValue(RegistryValue value);
    const std::vector<RegistryValue>& Values() const { return m_values; }

    static bool NamesEqual(std::string_view a, std::string_view b);

private:
    // The name as the indexes know it: ASCII letters in lower case.
    static std::string Folded(std::string_view name);

    std::string m_name;
    std::vector<RegistryValue> m_values;
    std::unordered_map<std::string, size_t> m_valueAt;
    std::vector<std::unique_ptr<RegistryKey>> m_subkeys;
    std::unordered_map<std::string, RegistryKey*> m_subkeyNamed;
};
