#include "platform/windows/ComboItemModel.h"

#include <algorithm>

#include "platform/windows/WindowText.h"

ComboItemModel::ComboItemModel(QObject* parent) : QAbstractListModel(parent) {}

int ComboItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

QVariant ComboItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return WindowText::ForDisplay(Bytes(index.row()));
    return {};
}

std::size_t ComboItemModel::Begin(int row) const {
    return row == 0 ? 0 : m_ends[static_cast<std::size_t>(row) - 1];
}

std::string_view ComboItemModel::Bytes(int row) const {
    return std::string_view(m_text).substr(Begin(row), End(row) - Begin(row));
}

long long ComboItemModel::ItemData(int row) const {
    const auto at = static_cast<std::size_t>(row);
    return at < m_data.size() ? m_data[at] : 0;
}

void ComboItemModel::SetItemData(int row, long long value) {
    if (m_data.empty()) m_data.resize(m_ends.size(), 0);
    m_data[static_cast<std::size_t>(row)] = value;
}

void ComboItemModel::Insert(int row, std::string_view text) {
    beginInsertRows(QModelIndex(), row, row);
    const std::size_t at = Begin(row);
    m_text.insert(at, text);
    const auto slot = m_ends.begin() + row;
    std::for_each(slot, m_ends.end(), [&](std::size_t& end) { end += text.size(); });
    m_ends.insert(slot, at + text.size());
    if (!m_data.empty()) m_data.insert(m_data.begin() + row, 0);
    endInsertRows();
}

void ComboItemModel::Append(std::span<const std::string_view> texts) {
    if (texts.empty()) return;
    const int first = Count();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(texts.size()) - 1);
    std::size_t bytes = m_text.size();
    for (std::string_view text : texts)
        bytes += text.size();
    m_text.reserve(bytes);
    m_ends.reserve(m_ends.size() + texts.size());
    for (std::string_view text : texts) {
        m_text.append(text);
        m_ends.push_back(m_text.size());
    }
    if (!m_data.empty()) m_data.resize(m_ends.size(), 0);
    endInsertRows();
}

bool ComboItemModel::AppendPacked(std::string_view text, std::span<const std::size_t> ends) {
    if (!std::is_sorted(ends.begin(), ends.end()) || (!ends.empty() && ends.back() > text.size()))
        return false;
    if (ends.empty()) return true;
    const int first = Count();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(ends.size()) - 1);
    const std::size_t base = m_text.size();
    m_text.append(text.substr(0, ends.back()));
    m_ends.reserve(m_ends.size() + ends.size());
    for (std::size_t end : ends)
        m_ends.push_back(base + end);
    if (!m_data.empty()) m_data.resize(m_ends.size(), 0);
    endInsertRows();
    return true;
}

bool ComboItemModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row + count > Count()) return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    const std::size_t from = Begin(row);
    const std::size_t gone = End(row + count - 1) - from;
    m_text.erase(from, gone);
    const auto first = m_ends.begin() + row;
    m_ends.erase(first, first + count);
    std::for_each(m_ends.begin() + row, m_ends.end(), [&](std::size_t& end) { end -= gone; });
    if (!m_data.empty()) m_data.erase(m_data.begin() + row, m_data.begin() + row + count);
    endRemoveRows();
    return true;
}

void ComboItemModel::Clear() {
    beginResetModel();
    // The room stays for the next fill, which is most often of a like size.
    m_text.clear();
    m_ends.clear();
    m_data.clear();
    endResetModel();
}
