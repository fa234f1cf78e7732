#pragma once

#include <string>

#include <QAbstractTableModel>
#include <QColor>

class TableProvider;

// The grid's model: every cell, header and edit flag is asked of the
// provider when the view wants it, and nothing is kept, so a table of any
// size costs only what is on the screen. Bytes columns show one character
// per byte; names show as UTF-8 where valid.
class ProviderTableModel : public QAbstractTableModel {
public:
    ProviderTableModel(TableProvider& provider, QObject* parent);

    TableProvider& Provider() const { return m_provider; }
    // Rows or columns changed: the view asks everything again.
    void Reset();
    // Rows [first, first + count) were added at the end.
    void Append(int first, int count);
    // Texts changed: the visible cells and the headers are asked again.
    void Refresh();
    // A cell's text as the grid shows it, back in the provider's bytes.
    std::string ShownText(int row, int column) const;
    // The background of a cell the provider calls changed.
    static QColor ChangedTint();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QString Decode(int column, const std::string& bytes) const;

    TableProvider& m_provider;
};
