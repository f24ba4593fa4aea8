#include "catalogues/RowNumberDelegate.h"

QString RowNumberDelegate::numberText(const QModelIndex& index)
{
    return index.isValid() ? QString::number(index.row() + 1) : QString();
}

void RowNumberDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->features |= QStyleOptionViewItem::HasDisplay;
    option->text = numberText(index);
    option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
}
