#pragma once

#include <QHash>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStyledItemDelegate>

// The default item delegate, remembering the size hint of every text it has measured. Sizing
// a table's sections to their contents asks for the hint of every cell again at each layout,
// and measuring a text (shaping it) is nearly all of that work. For views whose cells differ
// only in text and alignment and do not wrap; a view whose font or style changes must clear().
class CachedSizeDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // The size measured for a cell showing text with that alignment; invalid when none was.
    QSize remembered(const QString &text, int alignment) const;
    // Forgets every size, so that texts no longer shown do not stay.
    void clear();

private:
    using Key = QPair<QString, int>; // text, alignment
    mutable QHash<Key, QSize> sizes;
};
