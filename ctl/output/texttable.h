#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// A table for people: a header row and aligned columns, two blanks apart, measured in terminal
// columns so that Chinese texts line up. Control characters in cells show as "?". Each line
// ends in "\n" without trailing blanks.
QString renderTable(const QStringList &headers, const QVector<QStringList> &rows);
