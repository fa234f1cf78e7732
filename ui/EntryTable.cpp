#include "ui/EntryTable.h"

#include <algorithm>
#include <span>

#include "document/ElementDisplay.h"
#include "document/ElementInput.h"
#include "platform/windows/CTableCtrl.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"
#include "ui/EditorState.h"
#include "ui/EditorView.h"

namespace {

const ModuleElement& ElementAt(const CTableModule& module, int element) {
    return *module.m_elements[static_cast<size_t>(element)];
}

} // namespace

EntryTable::EntryTable(EditorState& state, EditorView& view, CTableCtrl& table)
    : m_state(state), m_view(view), m_table(table) {}

CTableModule* EntryTable::Readable() const {
    CTableModule* module = m_state.CurrentModule();
    const RomDocument& document = m_state.document;
    if (module == nullptr || !document.IsOpen() || module->m_nEntryCount <= 0 ||
        module->m_entryNames.size() < static_cast<size_t>(module->m_nEntryCount) ||
        !module->FitsIn(document.Length()))
        return nullptr;
    return module;
}

bool EntryTable::IsStale() const {
    const CTableModule* current = m_state.CurrentModule();
    const int columns = current != nullptr ? static_cast<int>(current->m_elements.size()) + 1 : 0;
    return Readable() != m_module || current != m_columnsOf || columns != m_columns;
}

void EntryTable::Rebuild(const std::string& filter) {
    m_filter = filter;
    const CTableModule* current = m_state.CurrentModule();
    if (current != m_columnsOf) m_sortColumn = -1;
    m_columnsOf = current;
    m_columns = current != nullptr ? static_cast<int>(current->m_elements.size()) + 1 : 0;
    m_module = Readable();
    ApplySortAndShow();
}

void EntryTable::Detach() {
    m_module = nullptr;
    m_columnsOf = nullptr;
    m_columns = 0;
    m_sortColumn = -1;
    m_rows.ShowAll(0);
    m_table.Reset();
}

void EntryTable::SetFilter(const std::string& text) {
    m_filter = text;
    ApplySortAndShow();
}

void EntryTable::ApplySortAndShow() {
    const int count = m_module != nullptr ? m_module->m_nEntryCount : 0;
    if (m_filter.empty())
        m_rows.ShowAll(count);
    else
        m_rows.ShowMatching(count, [this](int entry) { return Matches(entry); });
    if (m_sortColumn >= 0 && m_sortColumn < m_columns)
        m_rows.Sort([this](int entry) { return EntryText(entry, m_sortColumn); }, m_sortAscending);
    m_table.Reset();
    m_table.SetSortIndicator(m_sortColumn, m_sortAscending);
    FollowFormEntry();
}

void EntryTable::FollowFormEntry() {
    m_table.SetCurRow(m_module != nullptr ? m_rows.RowOf(m_module->m_nCurEntry) : -1);
}

bool EntryTable::Matches(int entry) const {
    for (int column = 0; column < m_columns; ++column)
        if (TableRows::ContainsNoCase(EntryText(entry, column), m_filter)) return true;
    return false;
}

std::string EntryTable::EntryText(int entry, int column) const {
    // An image opened since the rows were built may be too short for them
    // until the form says so; nothing is read past its end meanwhile.
    if (m_module == nullptr || Readable() != m_module) return {};
    if (column == 0) return std::string(m_module->m_entryNames[static_cast<size_t>(entry)]);
    const uint32_t length = m_module->m_nEntryLength;
    const uint8_t* start = m_state.document.Data() + m_module->m_nBaseOffset +
                           static_cast<uint64_t>(length) * static_cast<uint32_t>(entry);
    return ElementDisplay::Show(*m_module, column - 1, std::span<const uint8_t>(start, length));
}

int EntryTable::RowCount() const {
    return m_rows.Count();
}

int EntryTable::ColumnCount() const {
    return m_columns;
}

std::string EntryTable::HeaderText(int column) const {
    if (column == 0 || m_columnsOf == nullptr) return kQlmEntryHeading;
    return m_columnsOf->GetElementName(column - 1);
}

std::string EntryTable::CellText(int row, int column) const {
    if (row < 0 || row >= m_rows.Count() || column < 0 || column >= m_columns) return {};
    return EntryText(m_rows.EntryAt(row), column);
}

bool EntryTable::ColumnIsBytes(int column) const {
    return column > 0 && m_columnsOf != nullptr &&
           ElementCodec::KindOf(ElementAt(*m_columnsOf, column - 1).style) != ElementKind::Dropbox;
}

bool EntryTable::CanEdit(int column) const {
    return column > 0 && m_module != nullptr;
}

CellEditor EntryTable::EditorFor(int row, int column) const {
    CellEditor editor;
    if (!CanEdit(column) || row < 0 || row >= m_rows.Count()) return editor;
    const ModuleElement& e = ElementAt(*m_module, column - 1);
    const ElementKind kind = ElementCodec::KindOf(e.style);
    if (kind == ElementKind::Dropbox) {
        editor.kind = CellEditor::Kind::List;
        for (size_t i = 0; i < e.values.size(); ++i)
            editor.items.push_back(ElementCodec::DropboxItemLabel(
                    e.values[i], m_module->GetValueName(column - 1, static_cast<int>(i)), e.style));
        const std::string shown = CellText(row, column);
        for (size_t i = 0; i < editor.items.size() && !shown.empty(); ++i)
            if (editor.items[i] == shown) editor.current = static_cast<int>(i);
        return editor;
    }
    editor.kind = CellEditor::Kind::Text;
    editor.text = CellText(row, column);
    // The form's boxes stop typing at these lengths.
    if (kind == ElementKind::Text) editor.maxLength = static_cast<int>(std::min<uint32_t>(e.size, INT32_MAX));
    if (kind == ElementKind::HexArray)
        editor.maxLength = static_cast<int>(std::min<uint64_t>(3 * uint64_t{e.size} - 1, INT32_MAX));
    return editor;
}

bool EntryTable::CommitText(int row, int column, const std::string& text) {
    if (!CanEdit(column) || row < 0 || row >= m_rows.Count()) return false;
    // An untouched cell keeps its bytes, even those no character stands for.
    if (text == CellText(row, column)) return true;
    const int element = column - 1;
    const auto bytes = ElementInput::Read(*m_module, element, text);
    if (!bytes) {
        const bool hex = ElementCodec::KindOf(ElementAt(*m_module, element).style) == ElementKind::HexArray;
        m_table.MessageBox(hex ? kBadHexArrayText : bytes.Error().c_str());
        return false;
    }
    return ApplyElement(m_rows.EntryAt(row), element, bytes.Value());
}

bool EntryTable::CommitItem(int row, int column, int item) {
    if (!CanEdit(column) || row < 0 || row >= m_rows.Count()) return false;
    const int element = column - 1;
    const ModuleElement& e = ElementAt(*m_module, element);
    const auto bytes = ElementCodec::ReadDropbox(item, e.values, e.size);
    if (!bytes) {
        m_table.MessageBox(kNoSelectionText);
        return false;
    }
    if (EditorFor(row, column).current == item) return true;
    return ApplyElement(m_rows.EntryAt(row), element, *bytes);
}

bool EntryTable::ApplyElement(int entry, int element, const std::vector<uint8_t>& bytes) {
    CTableModule* module = m_state.CurrentModule();
    RomDocument& document = m_state.document;
    if (module == nullptr || module != m_module) return false;
    // The entry becomes the form's, and what was typed there unapplied goes,
    // as when the entry is picked; the other elements keep the image's bytes.
    if (!module->SelectEntry(entry, document.Data(), document.Length())) return false;
    m_view.SelectEntry(entry);
    module->SetElementData(element, bytes.data());
    for (const auto& e : module->m_elements)
        if (e->style & STYLE_BISCUIT) m_table.MessageBox(kBiscuitText, kBiscuitCaption, MB_OK);
    const bool applied = document.ApplyEntry(*module);
    // Shown either way: a refused store leaves the form on the image's bytes.
    if (!applied) module->SelectEntry(entry, document.Data(), document.Length());
    m_view.ShowEntry(*module);
    return applied;
}

void EntryTable::OnCurrentRowChanged(int row) {
    CTableModule* module = m_state.CurrentModule();
    if (module == nullptr || module != m_module || row < 0 || row >= m_rows.Count()) return;
    const int entry = m_rows.EntryAt(row);
    if (entry == module->m_nCurEntry) return;
    const RomDocument& document = m_state.document;
    if (!module->SelectEntry(entry, document.Data(), document.Length())) return;
    m_view.SelectEntry(entry);
    m_view.ShowEntry(*module);
}

void EntryTable::OnHeaderClicked(int column) {
    if (column < 0 || column >= m_columns) return;
    m_sortAscending = column == m_sortColumn ? !m_sortAscending : true;
    m_sortColumn = column;
    ApplySortAndShow();
}
