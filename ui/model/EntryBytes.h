#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CTableModule;
class EditorState;

// What the bytes window shows of the current entry, worked out without any
// window: the entry's bytes in the image, sixteen to a row, each with its
// character through the module's table and the elements that cover it.
//
// A byte that two elements cover takes the tint of the later element, since
// applying the entry writes the elements in order and the later one's bytes
// are what the image holds; every covering element is still named.
class EntryBytes {
public:
    static constexpr std::uint32_t kRowLength = 16;

    struct Cell {
        std::uint8_t byte = 0;
        // The byte through the character table; '.' for one that shows no
        // character.
        char shown = '.';
        // The element whose tint the byte takes; -1 for a byte no element
        // covers.
        int tint = -1;
        // Every element covering the byte, in element order.
        std::vector<int> elements;
        // Covered by the element whose control has the focus in the form.
        bool outlined = false;
        // Differs from the original the editor compares with.
        bool changed = false;
    };
    struct Row {
        std::uint32_t romOffset = 0;
        std::uint32_t entryOffset = 0;
        std::vector<Cell> cells;

        // "0A FF 00": the row's bytes in hex.
        std::string Hex() const;
        std::string Chars() const;
    };
    struct LegendItem {
        int element = -1;
        std::string name;
        bool outlined = false;
    };

    // The current entry in the image; focused is the element whose control
    // has the focus, or -1. Without a module, an open ROM or a table that
    // fits, only the heading says why nothing shows.
    static EntryBytes Of(const EditorState& state, int focused);

    const std::string& Heading() const { return m_heading; }
    const std::vector<Row>& Rows() const { return m_rows; }
    const std::vector<LegendItem>& Legend() const { return m_legend; }
    // One line per dropbox whose bytes match none of its items, with the raw
    // value: "Habitat: 0x07 (no item)".
    const std::vector<std::string>& Notes() const { return m_notes; }
    // The names of the elements covering a cell, joined with ", ".
    std::string CoveringNames(const Cell& cell) const;

private:
    void AddRows(const EditorState& state, const std::uint8_t* entry, std::uint32_t romOffset, int focused);
    void AddLegend(const CTableModule& module, int focused);
    void AddNotes(const CTableModule& module, const std::uint8_t* entry);

    std::string m_heading;
    std::vector<Row> m_rows;
    std::vector<LegendItem> m_legend;
    std::vector<std::string> m_notes;
};
