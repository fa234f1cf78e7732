#pragma once

#include <memory>

#include "ui/EntryBytes.h"

class CByteGrid;
class CWnd;
struct EditorState;
class EditorView;

// The read-only window beside the dialog that shows the current entry's
// bytes (EntryBytes, painted by a CByteGrid). It follows the form, the
// image and the focus through the view's and the document's observers, so
// the dialog only opens it; while hidden it does no work.
class BytesWindow {
public:
    // Observes state and view from now on; both must outlive this object,
    // which in turn must outlive every change they report.
    BytesWindow(EditorState& state, EditorView& view);
    ~BytesWindow();
    BytesWindow(const BytesWindow&) = delete;
    BytesWindow& operator=(const BytesWindow&) = delete;

    // Creates the window on first use beside owner, then shows it and brings
    // it up to date.
    void Show(CWnd& owner);
    bool IsVisible() const;
    // What the window shows now.
    const EntryBytes& Shown() const { return m_shown; }
    CByteGrid* Grid() const { return m_grid.get(); }

private:
    void Refresh();
    void Show(EntryBytes bytes);

    EditorState& m_state;
    EditorView& m_view;
    std::unique_ptr<CByteGrid> m_grid;
    EntryBytes m_shown;
};
