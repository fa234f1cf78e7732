#pragma once

#include <QStyledItemDelegate>

class TableProvider;

// Opens the editor the provider names for a cell (a line of text or a
// list) and gives the result back to the provider, never to the model: the
// provider decides what the cell holds afterwards.
class CellEditorDelegate : public QStyledItemDelegate {
public:
    CellEditorDelegate(TableProvider& provider, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // The editor starts from the provider's text, set at creation; the
    // view's own refill would put the displayed (decoded) text back.
    void setEditorData(QWidget*, const QModelIndex&) const override {}
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    // A tinted cell in the selected row keeps its tint as a frame, so the
    // row just edited still shows what changed.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    TableProvider& m_provider;
    mutable bool m_committing = false;
};
