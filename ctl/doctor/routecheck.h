#pragma once

#include "ctl/doctor/finding.h"

#include <QString>
#include <QStringList>
#include <QVector>

// One line of /proc/net/route (the main table), addresses in host byte order.
struct RouteEntry
{
    QString interface;
    quint32 destination = 0;
    quint32 mask = 0;
    quint32 gateway = 0;
    int metric = 0;
};

QVector<RouteEntry> parseProcNetRoute(const QString &text);

// The route the kernel takes to the address: the longest prefix, then the lowest metric.
// nullptr when none covers it.
const RouteEntry *routeTo(const QVector<RouteEntry> &routes, quint32 address);

// Where the multicast probe goes when a program does not pick the adapter itself, against the
// adapters that qualify for discovery.
Finding multicastRouteFinding(const QVector<RouteEntry> &routes, const QStringList &qualifyingAdapters);

// Reverse-path filtering per adapter: "all" and the adapter's own value, the larger counts.
// Strict filtering (1) drops a reply whose source address is routed out through another
// adapter: a device outside the adapter's subnet, on a PC with more than one adapter.
struct RpFilter
{
    QString interface;
    int value = 0;
};
QVector<Finding> rpFilterFindings(int all, const QVector<RpFilter> &adapters,
                                  const QString &defaultRouteInterface);
