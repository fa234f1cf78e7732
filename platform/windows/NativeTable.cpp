#include "platform/windows/NativeTable.h"

#include <algorithm>

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>

#include "platform/win32/WinConstants.h"
#include "platform/windows/TableProvider.h"
#include "platform/windows/WindowText.h"

namespace {

// Rows measured to fit the first column to its texts.
constexpr int kRowsMeasured = 64;

} // namespace

class TableModel : public QAbstractTableModel {
public:
    explicit TableModel(QObject* parent) : QAbstractTableModel(parent) {}

    TableProvider* Provider() const { return m_provider; }
    void SetProvider(TableProvider* provider) {
        beginResetModel();
        m_provider = provider;
        endResetModel();
    }
    void Reset() {
        beginResetModel();
        endResetModel();
    }
    void Refresh() {
        if (rowCount() > 0 && columnCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
        if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    }
    QString Decode(int column, const std::string& bytes) const {
        return m_provider->ColumnIsBytes(column) ? WindowText::FromLatin1(bytes)
                                                 : WindowText::ForDisplay(bytes);
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || m_provider == nullptr ? 0 : m_provider->RowCount();
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || m_provider == nullptr ? 0 : m_provider->ColumnCount();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || m_provider == nullptr || !index.isValid()) return {};
        return Decode(index.column(), m_provider->CellText(index.row(), index.column()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || m_provider == nullptr) return {};
        return WindowText::ForDisplay(m_provider->HeaderText(section));
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags flags = QAbstractTableModel::flags(index);
        if (m_provider != nullptr && index.isValid() && m_provider->CanEdit(index.column()))
            flags |= Qt::ItemIsEditable;
        return flags;
    }

private:
    TableProvider* m_provider = nullptr;
};

namespace {

// Opens the editor the provider names for a cell and gives the result back
// to the provider, never to the model: the provider decides what the cell
// holds afterwards.
class TableDelegate : public QStyledItemDelegate {
public:
    TableDelegate(TableModel* model, QObject* parent) : QStyledItemDelegate(parent), m_model(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        TableProvider* provider = m_model->Provider();
        if (provider == nullptr) return nullptr;
        const CellEditor editor = provider->EditorFor(index.row(), index.column());
        if (editor.kind == CellEditor::Kind::List) {
            auto* combo = new QComboBox(parent);
            for (const std::string& item : editor.items)
                combo->addItem(WindowText::ForDisplay(item));
            combo->setCurrentIndex(editor.current);
            return combo;
        }
        if (editor.kind != CellEditor::Kind::Text) return nullptr;
        auto* edit = new QLineEdit(parent);
        if (editor.maxLength > 0) edit->setMaxLength(editor.maxLength);
        edit->setText(WindowText::FromLatin1(editor.text));
        return edit;
    }
    // The editor starts from the provider's text, set at creation; the
    // view's own refill would put the displayed (decoded) text back.
    void setEditorData(QWidget*, const QModelIndex&) const override {}
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        TableProvider* provider = m_model->Provider();
        // A message box shown by the commit takes the focus from the
        // editor, which would commit the same edit again.
        if (provider == nullptr || m_committing) return;
        m_committing = true;
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            provider->CommitItem(index.row(), index.column(), combo->currentIndex());
        else if (auto* edit = qobject_cast<QLineEdit*>(editor))
            provider->CommitText(index.row(), index.column(), WindowText::ToLatin1(edit->text()));
        m_committing = false;
    }

private:
    TableModel* m_model;
    mutable bool m_committing = false;
};

} // namespace

NativeTable::NativeTable(CWnd* owner, DWORD style, UINT id, QWidget* parent)
    : NativeWindow(owner, style, 0, id) {
    auto* view = new QTableView(parent);
    m_model = new TableModel(view);
    view->setModel(m_model);
    view->setItemDelegate(new TableDelegate(m_model, view));
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->setWordWrap(false);
    // Rows all have one height, so the view never measures a row's cells.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionsClickable(true);
    view->horizontalHeader()->setHighlightSections(false);
    QObject::connect(view->horizontalHeader(), &QHeaderView::sectionClicked, view, [this](int column) {
        if (TableProvider* provider = m_model->Provider()) provider->OnHeaderClicked(column);
    });
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, view,
                     [this](const QModelIndex& current, const QModelIndex&) {
                         TableProvider* provider = m_model->Provider();
                         if (m_quiet || provider == nullptr || !current.isValid()) return;
                         provider->OnCurrentRowChanged(current.row());
                     });
    SetWidget(view);
}

NativeTable::~NativeTable() = default;

QTableView* NativeTable::View() const {
    return static_cast<QTableView*>(Widget());
}

void NativeTable::SetProvider(TableProvider* provider) {
    m_quiet = true;
    m_model->SetProvider(provider);
    m_quiet = false;
}

void NativeTable::Reset() {
    m_quiet = true;
    m_model->Reset();
    FitFirstColumn();
    m_quiet = false;
}

void NativeTable::Refresh() {
    m_model->Refresh();
}

void NativeTable::FitFirstColumn() {
    // The first column names the rows: as wide as the first names, measured
    // here rather than by the view, which lays every cell out to measure it.
    QTableView* view = View();
    if (view == nullptr || m_model->columnCount() == 0) return;
    const QFontMetrics metrics = view->fontMetrics();
    int width = view->horizontalHeader()->sectionSizeHint(0);
    const int rows = std::min(m_model->rowCount(), kRowsMeasured);
    for (int row = 0; row < rows; ++row)
        width = std::max(width, metrics.horizontalAdvance(
                                        m_model->data(m_model->index(row, 0), Qt::DisplayRole).toString()));
    constexpr int kPadding = 12;
    view->horizontalHeader()->resizeSection(0, width + kPadding);
}

int NativeTable::CurrentRow() const {
    if (View() == nullptr) return -1;
    const QModelIndex current = View()->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void NativeTable::SetCurrentRow(int row) {
    QTableView* view = View();
    if (view == nullptr) return;
    m_quiet = true;
    if (row < 0 || row >= m_model->rowCount()) {
        view->selectionModel()->clear();
    } else {
        // The column the user was in stays, as arrow keys would keep it.
        const int column = std::max(0, view->selectionModel()->currentIndex().column());
        const QModelIndex index = m_model->index(row, column);
        view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
        view->scrollTo(index);
    }
    m_quiet = false;
}

int NativeTable::RowsPerPage() const {
    if (View() == nullptr) return 0;
    const int height = View()->verticalHeader()->defaultSectionSize();
    return height > 0 ? View()->viewport()->height() / height : 0;
}

void NativeTable::ScrollRows(int rows) {
    if (View() == nullptr) return;
    // The view scrolls by whole rows, so the bar counts rows.
    QScrollBar* bar = View()->verticalScrollBar();
    bar->setValue(bar->value() + rows);
}

void NativeTable::SetSortIndicator(int column, bool ascending) {
    if (View() == nullptr) return;
    QHeaderView* header = View()->horizontalHeader();
    header->setSortIndicatorShown(column >= 0);
    header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

std::string NativeTable::ShownText(int row, int column) const {
    const QString text = m_model->data(m_model->index(row, column), Qt::DisplayRole).toString();
    const TableProvider* provider = m_model->Provider();
    return provider != nullptr && provider->ColumnIsBytes(column) ? WindowText::ToLatin1(text)
                                                                  : text.toStdString();
}

std::string NativeTable::ShownHeader(int column) const {
    return m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().toStdString();
}

int NativeTable::RowCount() const {
    return m_model->rowCount();
}

int NativeTable::ColumnCount() const {
    return m_model->columnCount();
}

bool NativeTable::IsEditing() const {
    // The view keeps an open editor as the widget of its cell.
    return View() != nullptr && View()->indexWidget(View()->currentIndex()) != nullptr;
}
