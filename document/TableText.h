#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

class CTableModule;

// What the form shows for any element of any entry, appended to a buffer:
// the same text as ElementDisplay::Show, made without a string per cell, so
// that a whole table of a million entries formats at the speed of a copy.
// Holds what it needs from the module; the module must outlive it.
class TableText {
public:
    explicit TableText(const CTableModule& module);

    // `entry` holds the entry's bytes, its first byte at the entry's start.
    void Append(std::string& out, int element, std::span<const uint8_t> entry) const;

private:
    struct Dropbox {
        // Value to the label of the last item with that value, as the form
        // picks it.
        std::unordered_map<uint32_t, std::string> labels;
    };

    const CTableModule& m_module;
    // One per element; empty for elements that are not dropboxes.
    std::vector<Dropbox> m_dropboxes;
};
