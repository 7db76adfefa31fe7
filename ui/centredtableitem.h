#pragma once

#include <QTableWidgetItem>

// A table cell whose text is centred both ways. The alignment is answered, not stored: a
// stored one grows every cell's list of values, which for thousands of rows is megabytes.
class CentredTableItem : public QTableWidgetItem
{
public:
    using QTableWidgetItem::QTableWidgetItem;

    QVariant data(int role) const override;
    QTableWidgetItem *clone() const override;
};
