#pragma once

#include "ctl/args/checked.h"
#include "discovery/adapterchoice.h"

#include <QStringList>
#include <QVector>

// An adapter to search through, with the IPv4 entry used on it.
struct AdapterPick
{
    QString name;
    Ipv4Entry entry;
};

// The adapters a command searches through: by default every one that qualifies; with all,
// every one that is up and has a non-zero IPv4 address (virtual and VPN adapters too, never
// loopback); with wanted names or addresses, exactly those, whether they qualify or not. An
// empty result means there is none to use; an error, that a wanted adapter does not exist.
Checked<QVector<AdapterPick>> pickAdapters(const QVector<AdapterVerdict> &verdicts, const QStringList &wanted,
                                           bool all);
