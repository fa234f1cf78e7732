#include "platform/windows/ProviderTableModel.h"

#include "platform/windows/TableProvider.h"
#include "platform/windows/WindowText.h"

ProviderTableModel::ProviderTableModel(TableProvider& provider, QObject* parent)
    : QAbstractTableModel(parent), m_provider(provider) {}

void ProviderTableModel::Reset() {
    beginResetModel();
    endResetModel();
}

void ProviderTableModel::Append(int first, int count) {
    // The provider holds them already; the views have not counted them yet.
    beginInsertRows({}, first, first + count - 1);
    endInsertRows();
}

void ProviderTableModel::Refresh() {
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::DisplayRole, Qt::BackgroundRole});
    if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QString ProviderTableModel::Decode(int column, const std::string& bytes) const {
    return m_provider.ColumnIsBytes(column) ? WindowText::FromLatin1(bytes) : WindowText::ForDisplay(bytes);
}

std::string ProviderTableModel::ShownText(int row, int column) const {
    const QString text = data(index(row, column), Qt::DisplayRole).toString();
    return m_provider.ColumnIsBytes(column) ? WindowText::ToLatin1(text) : text.toStdString();
}

int ProviderTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_provider.RowCount();
}

int ProviderTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_provider.ColumnCount();
}

QVariant ProviderTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::BackgroundRole)
        return m_provider.CellChanged(index.row(), index.column()) ? QVariant(ChangedTint()) : QVariant();
    if (role != Qt::DisplayRole) return {};
    return Decode(index.column(), m_provider.CellText(index.row(), index.column()));
}

QColor ProviderTableModel::ChangedTint() {
    // A pale amber, legible under black text and apart from a selection.
    return QColor(255, 226, 160);
}

QVariant ProviderTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return WindowText::ForDisplay(m_provider.HeaderText(section));
}

Qt::ItemFlags ProviderTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && m_provider.CanEdit(index.column())) flags |= Qt::ItemIsEditable;
    return flags;
}
