#pragma once

#include "ctl/plan/batchplan.h"
#include "discovery/devicelist.h"

#include <QStringList>
#include <QVector>

// What the search tells about a plan before anything is sent: credentials too long for a
// device's family, an address that is the network or broadcast address of the device's subnet
// (with its current mask when the plan keeps it), or one another device holds. Empty when the
// plan can be sent to the devices found.
QStringList checksAgainstDevices(const QVector<PlanRow> &rows, const DeviceList &devices);
