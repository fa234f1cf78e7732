#include "platform/windows/SideTableWindow.h"

#include <algorithm>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/windows/CellEditorDelegate.h"
#include "platform/windows/CellGrid.h"
#include "platform/windows/MessageBoxHook.h"
#include "platform/windows/ProviderTableModel.h"
#include "platform/windows/SideWindowFrame.h"
#include "platform/windows/WindowText.h"

namespace {

// Rows measured to fit a column: enough to see what a column holds, few
// enough that a million rows cost no more than a hundred.
constexpr int kRowsMeasured = 64;
constexpr int kCellPadding = 12;
constexpr int kStartWidth = 720;
constexpr int kStartHeight = 440;
// Often enough that found rows seem to stream in, seldom enough that the
// polls cost the search nothing.
constexpr int kFilterPollMs = 10;

} // namespace

SideTableWindow::SideTableWindow(TableWindowModel& model, QWidget* owner, const std::vector<ACCEL>& keys,
                                 PlacementMemory* placement)
    : m_model(model), m_frame(new SideWindowFrame(owner, model, "TableWindow", placement)),
      m_handle(m_frame.data()) {
    auto* layout = new QVBoxLayout(m_frame);
    layout->addWidget(BuildFilterRow());
    BuildGrid();
    layout->addWidget(m_grid, 1);
    ConnectGrid();
    m_poll = new QTimer(m_frame);
    m_poll->setInterval(kFilterPollMs);
    QObject::connect(m_poll, &QTimer::timeout, m_poll, [this] {
        if (!m_model.PollFilter() && m_poll != nullptr) m_poll->stop();
    });
    m_frame->AddCommandKeys(keys, [this] { return IsEditing(); });
    m_frame->resize(kStartWidth, kStartHeight);
    TitleChanged();
    RowsChanged();
}

SideTableWindow::~SideTableWindow() {
    // The widgets go first, while everything their signals reach is here.
    m_quiet = true;
    m_handle.DestroyWindow();
}

QWidget* SideTableWindow::BuildFilterRow() {
    auto* row = new QWidget(m_frame);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(WindowText::ForDisplay(m_model.FilterLabel()), row);
    label->setObjectName(QStringLiteral("FilterLabel"));
    m_filter = new QLineEdit(row);
    m_filter->setObjectName(QStringLiteral("FilterBox"));
    label->setBuddy(m_filter);
    layout->addWidget(label);
    layout->addWidget(m_filter, 1);
    m_changedOnly = new QCheckBox(WindowText::ForDisplay(m_model.ChangedOnlyLabel()), row);
    m_changedOnly->setObjectName(QStringLiteral("ChangedOnly"));
    layout->addWidget(m_changedOnly);
    QObject::connect(m_changedOnly, &QCheckBox::toggled, m_changedOnly,
                     [this](bool checked) { m_model.OnChangedOnly(checked); });
    // Typed text is bytes, as in every edit box of the program.
    QObject::connect(m_filter, &QLineEdit::textEdited, m_filter,
                     [this](const QString& text) { m_model.OnFilterChanged(WindowText::ToLatin1(text)); });
    return row;
}

void SideTableWindow::BuildGrid() {
    m_grid = new CellGrid(m_frame);
    m_grid->setObjectName(QStringLiteral("TableGrid"));
    m_cells = new ProviderTableModel(m_model, m_grid);
    m_grid->setModel(m_cells);
    m_delegate = new CellEditorDelegate(m_model, m_grid);
    m_grid->setItemDelegate(m_delegate);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->setWordWrap(false);
    // Rows all have one height, so the view never measures a row's cells.
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->verticalHeader()->hide();
    QHeaderView* header = m_grid->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    // Sizing to contents would lay out every row to measure it.
    header->setSectionResizeMode(QHeaderView::Interactive);
}

void SideTableWindow::ConnectGrid() {
    QHeaderView* header = m_grid->horizontalHeader();
    QObject::connect(header, &QHeaderView::sectionClicked, m_grid,
                     [this](int column) { m_model.OnHeaderClicked(column); });
    QObject::connect(header, &QHeaderView::sectionResized, m_grid, [this](int column, int, int width) {
        if (!m_quiet && m_cells != nullptr)
            m_userWidths[m_cells->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()] = width;
    });
    QObject::connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, m_grid,
                     [this](const QModelIndex& current, const QModelIndex&) {
                         if (!m_quiet && !m_grid->InFocusChange() && current.isValid())
                             m_model.OnCurrentRowChanged(current.row());
                     });
    // After the view's own handling, which may hand the focus elsewhere.
    QObject::connect(m_delegate, &QAbstractItemDelegate::closeEditor, m_grid, [this] { KeepFocusOnGrid(); });
}

void SideTableWindow::KeepFocusOnGrid() {
    if (m_grid == nullptr) return;
    // Also when the window is not active (a message box was in front): the
    // grid is then the one focused when it comes back.
    m_grid->setFocus(Qt::OtherFocusReason);
}

bool SideTableWindow::IsEditing() const {
    // The view keeps an open editor as the widget of its cell.
    return m_grid != nullptr && m_grid->indexWidget(m_grid->currentIndex()) != nullptr;
}

void SideTableWindow::Show() {
    if (m_frame == nullptr) return;
    m_frame->Present(true);
    if (m_grid != nullptr && !IsEditing()) m_grid->setFocus(Qt::ActiveWindowFocusReason);
}

bool SideTableWindow::IsVisible() const {
    return m_frame != nullptr && m_frame->isVisible();
}

void SideTableWindow::TitleChanged() {
    if (m_frame != nullptr) m_frame->setWindowTitle(WindowText::ForDisplay(m_model.Title()));
}

int SideTableWindow::Message(const std::string& text, const std::string& caption, UINT type) {
    const int answer = ::MessageBox(m_handle.GetSafeHwnd(), text.c_str(),
                                    caption.empty() ? nullptr : caption.c_str(), type);
    KeepFocusOnGrid();
    return answer;
}

void SideTableWindow::RowsChanged() {
    if (m_cells == nullptr) return;
    // Nothing to compare with: the box is of no use and hides.
    if (m_changedOnly != nullptr) m_changedOnly->setVisible(m_model.Comparing());
    m_quiet = true;
    const bool hadFocus = m_grid->hasFocus() || IsEditing();
    const int column = m_grid->currentIndex().column();
    m_cells->Reset();
    SizeColumns();
    ShowSortIndicator();
    ShowCurrentRow(column);
    // A reset closes an open editor, which hands the focus on to the next
    // control (the filter box) on its way out.
    if (hadFocus) KeepFocusOnGrid();
    m_quiet = false;
}

void SideTableWindow::RowsAppended(int first, int count) {
    if (m_cells == nullptr) return;
    m_quiet = true;
    m_cells->Append(first, count);
    // Fitted to the first rows, as a filter that ended at once would be.
    if (first == 0) SizeColumns();
    // The current entry's row has come.
    if (!m_grid->selectionModel()->hasSelection()) ShowCurrentRow(m_grid->currentIndex().column());
    m_quiet = false;
}

void SideTableWindow::FilterRunning() {
    if (m_poll != nullptr) m_poll->start();
}

void SideTableWindow::CellsChanged() {
    if (m_cells != nullptr) m_cells->Refresh();
}

void SideTableWindow::CurrentRowChanged() {
    if (m_grid == nullptr) return;
    m_quiet = true;
    ShowCurrentRow(m_grid->currentIndex().column());
    m_quiet = false;
}

void SideTableWindow::SizeColumns() {
    QHeaderView* header = m_grid->horizontalHeader();
    for (int column = 0; column < m_cells->columnCount(); ++column) {
        const QString name = m_cells->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        const auto kept = m_userWidths.constFind(name);
        header->resizeSection(column, kept != m_userWidths.constEnd() ? *kept : FittedWidth(column));
    }
}

int SideTableWindow::FittedWidth(int column) const {
    const QFontMetrics metrics = m_grid->fontMetrics();
    int width = m_grid->horizontalHeader()->sectionSizeHint(column);
    // The rows in view, or the first ones before the grid has been laid out.
    const int first = std::max(0, m_grid->rowAt(0));
    const int last = std::min(m_cells->rowCount(), first + kRowsMeasured);
    for (int row = first; row < last; ++row)
        width = std::max(width,
                         metrics.horizontalAdvance(
                                 m_cells->data(m_cells->index(row, column), Qt::DisplayRole).toString()) +
                                 kCellPadding);
    return width;
}

void SideTableWindow::ShowSortIndicator() {
    QHeaderView* header = m_grid->horizontalHeader();
    const int column = m_model.SortColumn();
    header->setSortIndicatorShown(column >= 0);
    header->setSortIndicator(column, m_model.SortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void SideTableWindow::ShowCurrentRow(int column) {
    QItemSelectionModel* selection = m_grid->selectionModel();
    const int row = m_model.CurrentRow();
    if (row < 0 || row >= m_cells->rowCount()) {
        selection->clear();
        return;
    }
    // The column the user was in stays, as arrow keys would keep it.
    const QModelIndex index =
            m_cells->index(row, std::clamp(column, 0, std::max(0, m_cells->columnCount() - 1)));
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_grid->scrollTo(index);
}
