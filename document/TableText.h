#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

// Scoped, so declared here without the codec header (whose CharTable would
// otherwise come before LoadError's in files that include both).
enum class ElementKind;

class CTableModule;

// What the form shows for any element of any entry: the same text as
// ElementDisplay::Show, written straight into the caller's buffer, so that
// a whole table of a million entries formats at the speed of a copy. Holds
// what it needs from the module; the module must outlive it.
class TableText {
public:
    explicit TableText(const CTableModule& module);

    // The most bytes Write puts out for the element, quotes included.
    size_t MaxLength(int element) const;
    // Writes the element's text at `at` (room for MaxLength bytes), in
    // RFC 4180 quotes when `quote` is set and the text needs them; returns
    // the end. `entry` holds the whole entry, its first byte at its start.
    char* Write(char* at, int element, const uint8_t* entry, bool quote) const;
    // The text, unquoted, appended; nothing for an entry cut short.
    void Append(std::string& out, int element, std::span<const uint8_t> entry) const;

    // The item a dropbox element's bytes pick, as the form picks it (the
    // last with that value); -1 for none.
    int DropboxItem(int element, uint32_t value) const;

private:
    struct Dropbox {
        std::vector<std::string> labels;
        std::vector<std::string> quotedLabels;
        // By value for elements of 1 or 2 bytes, else by the map.
        std::vector<int32_t> itemOfValue;
        std::unordered_map<uint32_t, int32_t> itemOfLargeValue;
    };
    struct Column {
        ElementKind kind;
        uint32_t offset;
        uint32_t size;
        size_t maxLength;
        // Into m_dropboxes; -1 for elements that are not dropboxes.
        int dropbox;
    };

    char* WriteText(char* at, const uint8_t* bytes, uint32_t size, bool quote) const;

    const CTableModule& m_module;
    std::vector<Column> m_columns;
    std::vector<Dropbox> m_dropboxes;
};
