#pragma once

#include "discovery/deviceexport.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class DeviceList;

// The device list as a document for other programs: CSV for spreadsheets, JSON for scripts.
// Both carry every export field in export order.
namespace devicedocument {

using Row = QVector<deviceexport::Field>;

enum class ByteOrderMark
{
    Without,
    With, // so that spreadsheet programs read the file as UTF-8
};

enum class LineEnd
{
    CrLf, // as spreadsheet programs write CSV
    Lf,   // as command-line tools write text
};

// One row per listed device, in list order.
QVector<Row> rows(const DeviceList &devices);

// A header row of the field names, then one row per device.
QByteArray csv(const QVector<Row> &rows, ByteOrderMark mark = ByteOrderMark::Without,
               LineEnd lineEnd = LineEnd::CrLf);

// One CSV field: quoted when it holds a comma, a quote, a line break or blanks at either end.
// A text a spreadsheet program would take for a formula (one beginning with =, +, -, @, a tab
// or a carriage return) gets a leading apostrophe: any host on the LAN can send a reply.
QString csvField(const QString &text);

// {"devices": [{name: value, ...}]} with the fields in export order; numbers as numbers, a
// number field without a decimal value as null.
QByteArray json(const QVector<Row> &rows);

} // namespace devicedocument
