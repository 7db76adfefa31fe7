#pragma once

#include "devsim/simdevice.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// Reads a fleet file: {"devices": [{"family": "201" | "407" | "407enc", "mac": ..., ...}]}.
// Every device is checked against what its reply format can carry; the first fault found is
// reported with the device's index and nothing is returned.
struct FleetParse
{
    QVector<SimDevice> devices;
    QString error; // empty when the file was good
};

FleetParse parseFleet(const QByteArray &json);
