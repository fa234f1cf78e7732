#include "ui/model/BytesWindow.h"

#include "table/HexText.h"
#include "ui/model/EditorCommandState.h"
#include "ui/model/EditorState.h"

namespace {

// "00000040 +0000": where the row starts in the ROM and in the entry.
std::string Offsets(const EntryBytes::Row& row) {
    return HexText::Padded(row.romOffset, 8) + " +" + HexText::Padded(row.entryOffset, 4);
}

ByteGridContent ToContent(const EntryBytes& bytes) {
    ByteGridContent content;
    content.heading = bytes.Heading();
    for (const EntryBytes::Row& row : bytes.Rows()) {
        ByteGridContent::Row out{Offsets(row), {}};
        for (const EntryBytes::Cell& cell : row.cells) {
            const std::string hex = EntryBytes::Row{0, 0, {cell}}.Hex();
            out.cells.push_back(
                    {hex, cell.shown, cell.tint, cell.outlined, bytes.CoveringNames(cell), cell.changed});
        }
        content.rows.push_back(std::move(out));
    }
    for (const EntryBytes::LegendItem& item : bytes.Legend())
        content.legend.push_back({item.name, item.element, item.outlined});
    content.notes = bytes.Notes();
    return content;
}

} // namespace

BytesWindow::BytesWindow(EditorState& state, ViewFactory makeView)
    : m_state(state), m_makeView(std::move(makeView)),
      m_following(state.Subscribe([this](const EditorChange& change) { OnChange(change); })) {}

BytesWindow::~BytesWindow() {
    m_following.Cancel();
    m_view.reset();
}

void BytesWindow::Open() {
    if (!m_view) m_view = m_makeView(*this);
    m_view->Show();
    m_view->TitleChanged();
    Refresh();
}

bool BytesWindow::IsVisible() const {
    return m_view && m_view->IsVisible();
}

void BytesWindow::FocusChanged(int element) {
    m_focused = element;
    Refresh();
}

std::string BytesWindow::Title() const {
    return EditorCommandState::Of(m_state).bytesTitle;
}

void BytesWindow::OnChange(const EditorChange& change) {
    if (m_view) m_view->TitleChanged();
    // Focus moves come through FocusChanged; every other change may alter
    // what the entry's bytes look like.
    if (change.kind != EditorChange::Kind::Modules) Refresh();
}

void BytesWindow::Refresh() {
    if (!IsVisible()) return;
    m_content = ToContent(EntryBytes::Of(m_state, m_focused));
    m_view->ContentChanged();
}
