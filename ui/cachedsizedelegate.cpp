#include "ui/cachedsizedelegate.h"

QSize CachedSizeDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const Key key(index.data(Qt::DisplayRole).toString(), index.data(Qt::TextAlignmentRole).toInt());
    const auto known = sizes.constFind(key);
    if (known != sizes.constEnd())
        return known.value();
    const QSize measured = QStyledItemDelegate::sizeHint(option, index);
    sizes.insert(key, measured);
    return measured;
}

QSize CachedSizeDelegate::remembered(const QString &text, int alignment) const
{
    return sizes.value(Key(text, alignment));
}

void CachedSizeDelegate::clear()
{
    sizes.clear();
}
