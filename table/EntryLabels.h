#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

// The labels of a module's entries ("0x1F", "0x1F - Name"), packed into one
// text buffer with the length of each label beside it. A million-entry table
// costs two growing allocations this way, not one string per label, and two
// bytes a label to find it again: a label is found from the start of its
// group of kGroup labels and the lengths before it in the group. A view
// handed out points into the buffer and holds only until the next append.
class EntryLabels {
public:
    EntryLabels() = default;
    EntryLabels(const EntryLabels& other);
    EntryLabels& operator=(const EntryLabels& other);
    EntryLabels(EntryLabels&& other) noexcept;
    EntryLabels& operator=(EntryLabels&& other) noexcept;
    ~EntryLabels() = default;

    size_t size() const { return m_lengths.size(); }
    bool empty() const { return m_lengths.empty(); }
    // Only for index < size().
    std::string_view operator[](size_t index) const;
    std::string_view back() const { return (*this)[size() - 1]; }

    // What reserve tells about the room it made, for a loader that prepares
    // the pages before writing them: the text's room may stay partly
    // unused, the room that finds each label is written whole.
    struct RoomHints {
        void (*text)(const void* data, size_t size);
        void (*index)(const void* data, size_t size);
    };
    // Room for `count` labels of `textBytes` bytes in all.
    void reserve(size_t count, size_t textBytes, RoomHints hints = {});
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
    std::string_view Text() const { return {m_text.get(), m_textSize}; }
    std::vector<size_t> Ends() const;
    // Length of the bare label of `index`: "0x" and at least two hex digits.
    static size_t BareLength(size_t index);

private:
    static constexpr size_t kGroup = 32;
    // A length of this or more is kept in m_long instead.
    static constexpr uint16_t kLong = UINT16_MAX;

    // "0x%02X" of `index` at `text`; returns its length.
    static size_t WriteHex(char* text, size_t index);
    // Room for `bytes` more bytes of text, where the next label goes. The
    // text is never zeroed first: a million labels are written once.
    char* Room(size_t bytes);
    void Grow(size_t capacity);
    // Records the label of `length` bytes written at Room.
    void Close(size_t length);
    size_t Length(size_t index) const;

    std::unique_ptr<char[]> m_text;
    size_t m_textSize = 0;
    size_t m_textCapacity = 0;
    std::vector<uint16_t> m_lengths;
    // Where each group's first label begins in m_text.
    std::vector<size_t> m_groupStarts;
    // Labels of kLong bytes or more, by index, in order.
    std::vector<std::pair<size_t, size_t>> m_long;
};
