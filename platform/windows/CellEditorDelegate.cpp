#include "platform/windows/CellEditorDelegate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>

#include "platform/windows/TableProvider.h"
#include "platform/windows/WindowText.h"

CellEditorDelegate::CellEditorDelegate(TableProvider& provider, QObject* parent)
    : QStyledItemDelegate(parent), m_provider(provider) {}

QWidget* CellEditorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
    const CellEditor editor = m_provider.EditorFor(index.row(), index.column());
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

void CellEditorDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    // A message box shown by the commit takes the focus from the editor,
    // which would commit the same edit again.
    if (m_committing) return;
    m_committing = true;
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        m_provider.CommitItem(index.row(), index.column(), combo->currentIndex());
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        m_provider.CommitText(index.row(), index.column(), WindowText::ToLatin1(edit->text()));
    m_committing = false;
}

void CellEditorDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const QVariant tint = index.data(Qt::BackgroundRole);
    if (!(option.state & QStyle::State_Selected) || !tint.isValid()) return;
    painter->save();
    painter->setPen(QPen(tint.value<QColor>(), 3));
    painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
    painter->restore();
}
