#pragma once

#include "ctl/args/checked.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

struct CsvRecord
{
    int line = 0; // where the record starts, from 1
    QStringList fields;
};

// Comma-separated UTF-8 text as spreadsheets write it: a byte order mark is skipped, records
// end at LF or CRLF, a field in double quotes may hold commas, line breaks and doubled quotes.
// Empty lines are skipped. Errors name the line and the field's position.
Checked<QVector<CsvRecord>> readCsv(const QByteArray &bytes);
