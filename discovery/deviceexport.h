#pragma once

#include "discovery/devicereply.h"

#include <QString>
#include <QStringList>
#include <QVector>

// One device as exported to scripts (quillonctl's JSON and CSV, the window's export): every
// field of its record, its family, the adapter it was seen through and how many replies it
// sent. The names are stable; scripts depend on them.
namespace deviceexport {

enum class ValueKind
{
    Text,
    Number, // decimal text; an empty value means the reply carries none
};

struct Field
{
    QString name;
    QString value;
    ValueKind kind = ValueKind::Text;
};

// The names in export order: mac, family, ip, port, ... replies.
QStringList fieldNames();

// The record's fields in export order. Frame ids (snid, txid) as lower-case hex for the
// encrypted family, empty for the others.
QVector<Field> fields(const deviceReply &record, const QString &adapter, int replies);

} // namespace deviceexport
