#include "ui/centredtableitem.h"

QVariant CentredTableItem::data(int role) const
{
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return QTableWidgetItem::data(role);
}

QTableWidgetItem *CentredTableItem::clone() const
{
    return new CentredTableItem(*this);
}
