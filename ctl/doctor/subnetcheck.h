#pragma once

#include "ctl/doctor/finding.h"

#include <QString>
#include <QVector>

// An adapter's IPv4 entry, host byte order.
struct AdapterSubnet
{
    QString adapter;
    quint32 address = 0;
    quint32 mask = 0;
};

// A device that answered although its address lies in none of the adapters' subnets: it is named
// with what it takes to reach it. Ok when its address lies in one of them.
Finding subnetFinding(const QString &mac, quint32 deviceIp, quint32 deviceMask, const QString &seenThrough,
                      const QVector<AdapterSubnet> &subnets);
