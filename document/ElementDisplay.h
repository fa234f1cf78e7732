#pragma once

#include <cstdint>
#include <span>
#include <string>

class CTableModule;

// What the editor's form shows for one element of the module's current
// entry, as text: the number, the hex array, the text up to its first NUL,
// or the label of the dropbox item the bytes pick (empty when none).
class ElementDisplay {
public:
    static std::string Show(const CTableModule& module, int element);
    // The same for any entry, from the entry's bytes (its first byte at the
    // entry's start), without making it the module's current entry.
    static std::string Show(const CTableModule& module, int element, std::span<const uint8_t> entry);
};
