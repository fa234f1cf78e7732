#include "ui/BytesWindow.h"

#include <cstdio>

#include "platform/windows/CByteGrid.h"
#include "ui/EditorState.h"
#include "ui/EditorView.h"

namespace {

constexpr char kTitle[] = "Quillmoor - Bytes";
// Right of the dialog, which starts near the screen's top left.
constexpr RECT kPlace{520, 40, 520 + 660, 40 + 400};

// "00000040 +0000": where the row starts in the ROM and in the entry.
std::string Offsets(const EntryBytes::Row& row) {
    char text[32];
    std::snprintf(text, sizeof text, "%08X +%04X", row.romOffset, row.entryOffset);
    return text;
}

ByteGridContent ToContent(const EntryBytes& bytes) {
    ByteGridContent content;
    content.heading = bytes.Heading();
    for (const EntryBytes::Row& row : bytes.Rows()) {
        ByteGridContent::Row out{Offsets(row), {}};
        for (const EntryBytes::Cell& cell : row.cells) {
            const std::string hex = EntryBytes::Row{0, 0, {cell}}.Hex();
            out.cells.push_back({hex, cell.shown, cell.tint, cell.outlined, bytes.CoveringNames(cell)});
        }
        content.rows.push_back(std::move(out));
    }
    for (const EntryBytes::LegendItem& item : bytes.Legend())
        content.legend.push_back({item.name, item.element, item.outlined});
    content.notes = bytes.Notes();
    return content;
}

} // namespace

BytesWindow::BytesWindow(EditorState& state, EditorView& view) : m_state(state), m_view(view) {
    // A destroyed form's module may be destroyed next, before any other
    // change is reported: the window lets go of it at once.
    m_view.AddObserver([this](EditorView::FormChange change) {
        if (change == EditorView::FormChange::Destroyed)
            Show(EntryBytes::Of(nullptr, m_state.document, -1));
        else
            Refresh();
    });
    m_view.AddFocusObserver([this](int) { Refresh(); });
    m_state.document.AddListener([this](std::uint32_t, std::uint32_t) { Refresh(); });
}

BytesWindow::~BytesWindow() = default;

void BytesWindow::Show(CWnd& owner) {
    if (!m_grid) {
        m_grid = std::make_unique<CByteGrid>();
        m_grid->CreateTopLevel(kTitle, kPlace, &owner);
    }
    m_grid->ShowWindow(SW_SHOW);
    Refresh();
}

bool BytesWindow::IsVisible() const {
    return m_grid && m_grid->IsWindowVisible();
}

void BytesWindow::Refresh() {
    if (IsVisible()) Show(EntryBytes::Of(m_state.CurrentModule(), m_state.document, m_view.FocusedElement()));
}

void BytesWindow::Show(EntryBytes bytes) {
    if (!IsVisible()) return;
    m_shown = std::move(bytes);
    m_grid->SetContent(ToContent(m_shown));
}
