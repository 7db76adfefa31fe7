#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

// One device's planned address, with the mask it will have: the planned mask, else the one it
// reports now (0 while unknown).
struct PlannedAddress
{
    QString mac;
    int line = 0; // plan line, 0 when named on the command line
    quint32 ip = 0;
    quint32 mask = 0;
};

// A device as the search found it.
struct HeldAddress
{
    QString mac;
    quint32 ip = 0;
};

// Why the plan cannot be sent: two devices given one address, or a device given the network or
// broadcast address of its subnet (subnets of /31 and /32 have neither). Empty when it can.
QStringList addressConflicts(const QVector<PlannedAddress> &planned);

// Planned addresses that a device outside the plan, or one the plan leaves where it is, holds now.
QStringList occupiedAddresses(const QVector<PlannedAddress> &planned, const QVector<HeldAddress> &held);
