#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QAbstractListModel>

// The items of a combo box as the program gave them: the bytes of every
// text packed into one buffer, and each item's data. The text the box shows
// is made from the bytes only when the toolkit asks for it, so a selector of
// a hundred thousand entries costs one copy of their bytes rather than an
// item object and a converted string each.
class ComboItemModel : public QAbstractListModel {
public:
    explicit ComboItemModel(QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    int Count() const { return static_cast<int>(m_ends.size()); }
    // Only for 0 <= row < Count().
    std::string_view Bytes(int row) const;
    long long ItemData(int row) const;
    void SetItemData(int row, long long value);

    // Only for 0 <= row <= Count().
    void Insert(int row, std::string_view text);
    // Every text after the last item, announced to the views as one insertion.
    void Append(std::span<const std::string_view> texts);
    // Texts packed end to end (text i ends at ends[i]); false, with nothing
    // added, when the ends run backwards or past the text.
    bool AppendPacked(std::string_view text, std::span<const std::size_t> ends);
    void Clear();

private:
    std::size_t Begin(int row) const;
    std::size_t End(int row) const { return m_ends[static_cast<std::size_t>(row)]; }

    std::string m_text;
    std::vector<std::size_t> m_ends;
    // Empty until an item is given data; 0 is every item's data until then.
    std::vector<long long> m_data;
};
