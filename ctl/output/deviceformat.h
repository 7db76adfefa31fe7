#pragma once

#include "ctl/args/checked.h"
#include "discovery/deviceexport.h"

#include <QVector>

enum class OutputFormat
{
    Table,
    Json,
    Csv
};

// "table", "json" or "csv".
Checked<OutputFormat> parseOutputFormat(const QString &field, const QString &text);

using ExportedDevice = QVector<deviceexport::Field>;

// table: the columns people read, aligned; json: {"devices": [{name: value, ...}]} with every
// field, numbers as numbers and empty numbers as null; csv: a header row of the field names,
// then one row per device, fields quoted where they need it.
QString formatDevices(OutputFormat format, const QVector<ExportedDevice> &devices);

// One CSV field: quoted when it holds a comma, a quote, a line break or blanks at either end.
QString csvField(const QString &text);
