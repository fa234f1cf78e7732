#pragma once

#include <string>
#include <vector>

#include "platform/windows/CWnd.h"

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

// A read-only window that paints a ByteGridContent in a fixed-pitch font
// and scrolls when it does not fit. Created as a top-level window kept
// above its owner, so it can sit beside the owner's dialog.
class CByteGrid : public CWnd {
public:
    CByteGrid();
    ~CByteGrid() override;

    // Hidden until shown; rect is in screen pixels.
    BOOL CreateTopLevel(LPCSTR title, const RECT& rect, CWnd* owner);
    void SetContent(ByteGridContent content);
    const ByteGridContent& Content() const { return m_content; }
    // Pale colours that keep neighbouring indexes apart; repeats after
    // kTints.
    static constexpr int kTints = 12;
    static COLORREF TintColor(int tint);

private:
    ByteGridContent m_content;
};
