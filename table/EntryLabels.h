#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The labels of a module's entries ("0x1F", "0x1F - Name"), packed into one
// text buffer with the end of each label beside it. A million-entry table
// costs two growing allocations this way, not one string per label. A view
// handed out points into the buffer and holds only until the next append.
class EntryLabels {
public:
    size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }
    // Only for index < size().
    std::string_view operator[](size_t index) const;
    std::string_view back() const { return (*this)[size() - 1]; }

    // Room for `count` labels of `textBytes` bytes in all.
    void reserve(size_t count, size_t textBytes);
    // "0x%02X" of the new label's own index.
    void AppendBare();
    // "0x%02X - name", the name taken byte for byte up to its first NUL.
    void AppendNamed(std::string_view name);
    // A label of any text, for labels made outside the loader.
    void push_back(std::string_view text);

    // Every label in order, for consumers that take the whole list at once.
    std::vector<std::string_view> Views() const;
    // Every label end to end, and where each ends, for consumers that copy
    // the whole list in one piece.
    std::string_view Text() const { return m_text; }
    std::span<const size_t> Ends() const { return m_ends; }
    // Length of the bare label of `index`: "0x" and at least two hex digits.
    static size_t BareLength(size_t index);

private:
    void AppendHex(size_t index);

    std::string m_text;
    std::vector<size_t> m_ends;
};
