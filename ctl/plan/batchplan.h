#pragma once

#include "ctl/args/checked.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// What one device of a batch is to become. Setting texts are in the record's form ("192.168.0.50",
// "8000"); an empty text keeps the device's current value.
struct PlanRow
{
    int line = 0; // line of the plan file; 0 for devices named on the command line
    QString mac;  // "00:1A:2B:3C:4D:5E"
    QString ip, port, mask, gateway, server, serverPort;
    QString user, password; // empty: the device's default credentials

    bool setsAnything() const;
};

// The plan file's columns, as its header row names them (any case, any order); only "mac" is
// required.
QStringList planColumns();

// A plan file: a header row, then one row per device. Every value is checked as on the command
// line; an unknown or repeated column, a MAC planned twice, a row that sets nothing, a user
// without a password (or the other way round) and a credential longer than any device takes
// are refused. Errors name the line and the column.
Checked<QVector<PlanRow>> parsePlan(const QByteArray &csv);
