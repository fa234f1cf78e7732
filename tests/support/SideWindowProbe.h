#pragma once

#include <string>
#include <vector>

#include "platform/win32/WinTypes.h"

class QWidget;

// A window beside the dialog as a user meets it, found by its object name
// ("TableWindow", "BytesWindow"): what it shows, read from its widgets, and
// the user's clicks and keys, given through the window system, so a window
// the user could not reach gets nothing. Without such a window every read
// is empty and every action does nothing.
class SideWindowProbe {
public:
    explicit SideWindowProbe(const std::string& objectName);

    bool Found() const;
    bool Visible() const;
    std::string Title() const;
    // The object name of the widget with the keyboard focus in the window.
    std::string FocusName() const;

    // The grid (table windows).
    int RowCount() const;
    int ColumnCount() const;
    std::string Cell(int row, int column) const;
    std::string Header(int column) const;
    // Whether the cell has a background of its own (a changed cell's tint).
    bool Tinted(int row, int column) const;
    int ColumnWidth(int column) const;
    int CurrentRow() const;
    int CurrentColumn() const;
    bool Editing() const;
    void ClickCell(int row, int column);
    void DoubleClickCell(int row, int column);
    void ClickHeader(int column);
    // A click on a named child (a check box, a button); false when the
    // window has no such child or it is hidden.
    bool ClickChild(const std::string& name);
    // Drags the right edge of a column's header by dx pixels.
    void DragColumnEdge(int column, int dx);
    // Clicks into the filter box and types the text (Latin-1, a key each).
    void TypeFilter(const std::string& text);

    // A key into the window (to its focused widget); modifiers: FCONTROL,
    // FSHIFT, FALT.
    void PressKey(WORD vk, BYTE modifiers = 0);
    void TypeText(const std::string& text);
    void ClickCloseBox();
    // What a named child widget paints, as text the painter drew is not
    // readable: whether its grab has pixels other than its background.
    bool Paints(const std::string& childName) const;
    // The window at this size, and its grab saved as a PNG (the README's
    // pictures).
    void Resize(int width, int height);
    // Where the window is and its size, as the user would drag it there.
    void Place(int x, int y, int width, int height);
    // x, y, width, height; all 0 without the window.
    std::vector<int> Placement() const;
    bool SaveScreenshot(const std::string& path) const;

private:
    QWidget* Window() const;
    QWidget* Child(const char* name) const;

    std::string m_name;
};
