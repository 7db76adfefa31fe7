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

// table: the columns people read, aligned; json and csv: the export documents (every field in
// export order), CSV lines ending in a line feed.
QString formatDevices(OutputFormat format, const QVector<ExportedDevice> &devices);
