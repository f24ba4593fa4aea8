#pragma once

#include <QStyledItemDelegate>

// Draws a grid column as the row's position in the shown order (1, 2, 3 ...),
// for a numbering column whose value is not stored: the number follows the
// rows as they are inserted, removed or put in another order.
class RowNumberDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The text the cell shows.
    static QString numberText(const QModelIndex& index);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
