#pragma once

#include <string>
#include <vector>

#include "platform/windows/WindowModel.h"

// What a byte grid paints: a heading, rows of byte cells (the hex pair on
// the left, the character on the right, both in the cell's tint), a legend
// of tinted names and lines of notes below. Text is bytes, shown as Latin-1.
struct ByteGridContent {
    struct Cell {
        std::string hex;
        char shown = '.';
        // An index into the grid's palette; -1 leaves the cell untinted.
        int tint = -1;
        // Framed; touching framed cells share one outline.
        bool outlined = false;
        // What hovering over the cell tells.
        std::string tip;
        // Differs from what it is compared with: drawn underlined in red.
        bool changed = false;
    };
    struct Row {
        std::string offsets;
        std::vector<Cell> cells;
    };
    struct LegendItem {
        std::string name;
        int tint = -1;
        bool outlined = false;
    };
    std::string heading;
    std::vector<Row> rows;
    std::vector<LegendItem> legend;
    std::vector<std::string> notes;
};

// What a read-only byte window reads.
class ByteGridModel : public WindowModel {
public:
    virtual const ByteGridContent& Content() const = 0;
};

class ByteGridView : public WindowView {
public:
    // Asks Content again, resizes the canvas to it and repaints.
    virtual void ContentChanged() = 0;
};
