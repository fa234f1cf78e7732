#include "ui/model/TableWindow.h"

#include <algorithm>
#include <span>

#include "document/ElementDisplay.h"
#include "document/ElementInput.h"
#include "platform/win32/WinConstants.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"
#include "table/NumberCodec.h"
#include "ui/model/EditorCommandState.h"
#include "ui/model/EditorState.h"

namespace {

const ModuleElement& ElementAt(const CTableModule& module, int element) {
    return *module.m_elements[static_cast<size_t>(element)];
}

// A filter over at most this many cells runs at once: it ends within a few
// milliseconds, sooner than a worker would start.
constexpr size_t kCellsSearchedAtOnce = 100000;

} // namespace

TableWindow::TableWindow(EditorState& state, ViewFactory makeView)
    : m_state(state), m_makeView(std::move(makeView)),
      m_following(state.Subscribe([this](const EditorChange& change) { OnChange(change); })),
      m_pausing(state.BeforeImageChanges([this] {
          if (m_job) m_job->Pause();
          m_jobSawChange = true;
          ForgetLastFilter();
      })) {}

TableWindow::~TableWindow() {
    m_following.Cancel();
    m_pausing.Cancel();
    // The workers read the module and the image, which may go next.
    StopFilter();
    m_view.reset();
}

void TableWindow::Open() {
    if (!m_view) m_view = m_makeView(*this);
    Rebuild();
    m_view->TitleChanged();
    m_view->Show();
}

bool TableWindow::IsVisible() const {
    return m_view && m_view->IsVisible();
}

void TableWindow::OnChange(const EditorChange& change) {
    using Kind = EditorChange::Kind;
    if (m_view) m_view->TitleChanged();
    const bool visible = IsVisible();
    switch (change.kind) {
    case Kind::Module:
    case Kind::Opened:
    case Kind::Closed:
        // Even hidden, the window lets go of a module that may be deleted next.
        if (visible)
            Rebuild();
        else
            Detach();
        break;
    case Kind::Entry:
        if (!visible) break;
        // An image that the module now fits brings the rows.
        if (Readable() != m_module)
            Rebuild();
        else
            m_view->CurrentRowChanged();
        break;
    case Kind::Bytes:
        ForgetLastFilter();
        // Rows kept for their changes come and go with the bytes.
        if (visible && m_changedOnly && m_state.HasOriginal())
            ApplySortAndShow();
        else if (visible)
            m_view->CellsChanged();
        break;
    case Kind::Original:
        if (visible) ApplySortAndShow();
        break;
    default:
        break;
    }
}

const CTableModule* TableWindow::Readable() const {
    const CTableModule* module = m_state.CurrentModule();
    if (!m_state.ShowsEntries() || module->m_entryNames.size() < static_cast<size_t>(module->m_nEntryCount))
        return nullptr;
    return module;
}

void TableWindow::Rebuild() {
    const CTableModule* current = m_state.CurrentModule();
    const int columns = current != nullptr ? static_cast<int>(current->m_elements.size()) + 1 : 0;
    if (columns != m_columns || Readable() != m_module) m_sortColumn = -1;
    m_columns = columns;
    m_module = Readable();
    ForgetLastFilter();
    ApplySortAndShow();
}

void TableWindow::OnFilterChanged(const std::string& text) {
    m_filter = text;
    ApplySortAndShow();
}

void TableWindow::ApplySortAndShow() {
    StopFilter();
    const int count = m_module != nullptr ? m_module->m_nEntryCount : 0;
    if (!m_filter.empty() && m_module != nullptr) {
        StartFilter(count);
        return;
    }
    if (m_changedOnly && m_state.HasOriginal())
        m_rows.ShowMatching(count, [this](int entry) { return EntryChanged(entry); });
    else
        m_rows.ShowAll(count);
    Sort();
    if (m_view) m_view->RowsChanged();
}

void TableWindow::StartFilter(int count) {
    auto needle = std::make_shared<const FilterNeedle>(*m_module, m_filter);
    const bool narrowing = m_lastNeedle != nullptr && needle->Narrows(*m_lastNeedle);
    std::vector<int> candidates = narrowing ? m_lastMatches : std::vector<int>{};
    const size_t searched = narrowing ? candidates.size() : static_cast<size_t>(count);
    if (m_view == nullptr || searched * static_cast<size_t>(m_columns) <= kCellsSearchedAtOnce) {
        std::vector<int> matches;
        const auto test = [&](int entry) {
            if (Matches(*needle, entry)) matches.push_back(entry);
        };
        if (narrowing)
            std::for_each(candidates.begin(), candidates.end(), test);
        else
            for (int entry = 0; entry < count; ++entry)
                test(entry);
        m_lastNeedle = needle;
        m_lastMatches = matches;
        m_rows.ShowEntries(KeptOf(std::move(matches)), count);
        Sort();
        if (m_view) m_view->RowsChanged();
        return;
    }
    const CTableModule* module = m_module;
    const uint8_t* first = m_state.document.Data() + module->m_nBaseOffset;
    const uint32_t length = module->m_nEntryLength;
    m_jobNeedle = needle;
    m_jobImage = m_state.document.Data();
    m_jobSawChange = false;
    m_job = std::make_unique<FilterJob>(std::move(candidates), narrowing ? 0 : count, [=](int entry) {
        return needle->Holds(*module, entry,
                             {first + uint64_t{length} * static_cast<uint32_t>(entry), length});
    });
    m_rows.ShowEntries({}, count);
    m_view->RowsChanged();
    m_view->FilterRunning();
}

bool TableWindow::PollFilter() {
    if (!m_job) return false;
    if (m_job->Paused()) {
        // The bytes may be others now; an image that went (an Open Rom that
        // failed leaves it) brings a rebuild, which ends this job.
        if (Readable() != m_module || m_state.document.Data() != m_jobImage) {
            StopFilter();
            return false;
        }
        m_job->Resume();
    }
    std::vector<int> found = m_job->TakeFound();
    if (!found.empty()) {
        m_jobMatches.insert(m_jobMatches.end(), found.begin(), found.end());
        const std::vector<int> kept = KeptOf(std::move(found));
        const int first = m_rows.Count();
        m_rows.Append(kept);
        if (!kept.empty()) m_view->RowsAppended(first, static_cast<int>(kept.size()));
    }
    if (!m_job->Done()) return true;
    FinishFilter();
    return false;
}

void TableWindow::FinishFilter() {
    m_job.reset();
    if (!m_jobSawChange) {
        m_lastNeedle = std::move(m_jobNeedle);
        m_lastMatches = std::move(m_jobMatches);
    }
    StopFilter();
    // The rows came in entry order; they are sorted once all are in.
    if (m_sortColumn >= 0 && m_sortColumn < m_columns) {
        Sort();
        m_view->RowsChanged();
    }
}

void TableWindow::StopFilter() {
    m_job.reset();
    m_jobNeedle.reset();
    m_jobMatches = {};
}

void TableWindow::ForgetLastFilter() {
    m_lastNeedle.reset();
    m_lastMatches = {};
}

std::vector<int> TableWindow::KeptOf(std::vector<int> matches) const {
    if (m_changedOnly && m_state.HasOriginal())
        std::erase_if(matches, [this](int entry) { return !EntryChanged(entry); });
    return matches;
}

void TableWindow::Sort() {
    if (m_sortColumn < 0 || m_sortColumn >= m_columns) return;
    if (SortsAsNumbers())
        m_rows.SortByNumber([this](int entry) { return NumberAt(entry, m_sortColumn - 1); }, m_sortAscending);
    else
        m_rows.Sort([this](int entry) { return EntryText(entry, m_sortColumn); }, m_sortAscending);
}

bool TableWindow::SortsAsNumbers() const {
    if (m_sortColumn <= 0 || m_module == nullptr || Readable() != m_module) return false;
    const ModuleElement& e = ElementAt(*m_module, m_sortColumn - 1);
    const ElementKind kind = ElementCodec::KindOf(e.style);
    const bool number = kind == ElementKind::UnsignedNumber || kind == ElementKind::SignedNumber ||
                        kind == ElementKind::HexNumber;
    return number && e.offset <= m_module->m_nEntryLength && e.size <= m_module->m_nEntryLength - e.offset;
}

int64_t TableWindow::NumberAt(int entry, int element) const {
    // The value the cell shows, so it orders as the cell's text would.
    const ModuleElement& e = ElementAt(*m_module, element);
    const std::span<const uint8_t> bytes = EntryBytes(entry).subspan(e.offset, e.size);
    if (ElementCodec::KindOf(e.style) == ElementKind::SignedNumber) return NumberCodec::DecodeSigned(bytes);
    return NumberCodec::DecodeUnsigned(bytes);
}

void TableWindow::OnHeaderClicked(int column) {
    if (column < 0 || column >= m_columns) return;
    m_sortAscending = column == m_sortColumn ? !m_sortAscending : true;
    m_sortColumn = column;
    ApplySortAndShow();
}

void TableWindow::OnClosed() {
    // Hidden now: nothing to follow until the next Open builds it afresh.
    Detach();
}

void TableWindow::Detach() {
    StopFilter();
    ForgetLastFilter();
    m_module = nullptr;
    m_columns = 0;
    m_rows.ShowAll(0);
}

void TableWindow::OnCommand(UINT id) {
    // A table edit is undone where it was made, with the editor's own keys.
    if (id == ID_EDIT_UNDO) m_state.Undo();
    if (id == ID_EDIT_REDO) m_state.Redo();
}

std::string TableWindow::Title() const {
    return EditorCommandState::Of(m_state).tableTitle;
}

bool TableWindow::Comparing() const {
    return m_state.HasOriginal();
}

std::string TableWindow::ChangedOnlyLabel() const {
    return kChangedOnlyLabel;
}

void TableWindow::OnChangedOnly(bool only) {
    m_changedOnly = only;
    ApplySortAndShow();
}

bool TableWindow::CellChanged(int row, int column) const {
    if (m_module == nullptr || column <= 0 || column >= m_columns || row < 0 || row >= m_rows.Count())
        return false;
    return m_state.ElementDiffers(m_rows.EntryAt(row), column - 1);
}

bool TableWindow::EntryChanged(int entry) const {
    for (int element = 0; element + 1 < m_columns; ++element)
        if (m_state.ElementDiffers(entry, element)) return true;
    return false;
}

std::string TableWindow::FilterLabel() const {
    return kFilterLabel;
}

int TableWindow::CurrentRow() const {
    return m_module != nullptr ? m_rows.RowOf(m_module->m_nCurEntry) : -1;
}

bool TableWindow::Matches(const FilterNeedle& needle, int entry) const {
    return needle.Holds(*m_module, entry, EntryBytes(entry));
}

std::span<const uint8_t> TableWindow::EntryBytes(int entry) const {
    const uint32_t length = m_module->m_nEntryLength;
    return {m_state.document.Data() + m_module->m_nBaseOffset +
                    static_cast<uint64_t>(length) * static_cast<uint32_t>(entry),
            length};
}

std::string TableWindow::EntryText(int entry, int column) const {
    // Rows built from another module or image are never read: a paint may
    // come between a change and its announcement.
    if (m_module == nullptr || Readable() != m_module || entry >= m_module->m_nEntryCount) return {};
    if (column == 0) return std::string(m_module->m_entryNames[static_cast<size_t>(entry)]);
    return ElementDisplay::Show(*m_module, column - 1, EntryBytes(entry));
}

int TableWindow::RowCount() const {
    return m_rows.Count();
}

int TableWindow::ColumnCount() const {
    return m_columns;
}

std::string TableWindow::HeaderText(int column) const {
    const CTableModule* module = m_state.CurrentModule();
    if (column == 0 || module == nullptr || column > module->m_nElements) return kQlmEntryHeading;
    return module->GetElementName(column - 1);
}

std::string TableWindow::CellText(int row, int column) const {
    if (row < 0 || row >= m_rows.Count() || column < 0 || column >= m_columns) return {};
    return EntryText(m_rows.EntryAt(row), column);
}

bool TableWindow::ColumnIsBytes(int column) const {
    const CTableModule* module = m_state.CurrentModule();
    return column > 0 && module != nullptr && column <= module->m_nElements &&
           ElementCodec::KindOf(ElementAt(*module, column - 1).style) != ElementKind::Dropbox;
}

bool TableWindow::CanEdit(int column) const {
    return column > 0 && column < m_columns && m_module != nullptr;
}

CellEditor TableWindow::EditorFor(int row, int column) const {
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

bool TableWindow::CommitText(int row, int column, const std::string& text) {
    if (!CanEdit(column) || row < 0 || row >= m_rows.Count()) return false;
    // An untouched cell keeps its bytes, even those no character stands for.
    if (text == CellText(row, column)) return true;
    const int element = column - 1;
    const auto bytes = ElementInput::Read(*m_module, element, text);
    if (!bytes) {
        const bool hex = ElementCodec::KindOf(ElementAt(*m_module, element).style) == ElementKind::HexArray;
        Message(hex ? kBadHexArrayText : bytes.Error());
        return false;
    }
    return Apply(row, element, bytes.Value());
}

bool TableWindow::CommitItem(int row, int column, int item) {
    if (!CanEdit(column) || row < 0 || row >= m_rows.Count()) return false;
    const int element = column - 1;
    const ModuleElement& e = ElementAt(*m_module, element);
    const auto bytes = ElementCodec::ReadDropbox(item, e.values, e.size);
    if (!bytes) {
        Message(kNoSelectionText);
        return false;
    }
    if (EditorFor(row, column).current == item) return true;
    return Apply(row, element, *bytes);
}

bool TableWindow::Apply(int row, int element, const std::vector<uint8_t>& bytes) {
    const CTableModule* module = m_module;
    // Rows a filter finds, or its sort, may come while a message is up.
    const int entry = m_rows.EntryAt(row);
    // Every Apply greets the biscuit eaters, whichever front end it came from.
    for (const auto& e : module->m_elements)
        if (e->style & STYLE_BISCUIT) Message(kBiscuitText, kBiscuitCaption, MB_OK);
    // The message's own event loop may have let another module in.
    if (m_module != module) return false;
    const RomDocument::Applied applied = m_state.ApplyValue(entry, element, bytes);
    if (applied.Refused()) {
        Message(QlmCoveredText(module->GetElementName(element), module->GetElementName(applied.covering)));
        return false;
    }
    return true;
}

void TableWindow::OnCurrentRowChanged(int row) {
    if (m_module == nullptr || row < 0 || row >= m_rows.Count()) return;
    const int entry = m_rows.EntryAt(row);
    if (entry != m_state.CurrentEntry()) m_state.SelectEntry(entry);
}

int TableWindow::Message(const std::string& text, const char* caption, UINT type) {
    return m_view ? m_view->Message(text, caption != nullptr ? caption : kAppTitle, type) : 0;
}
