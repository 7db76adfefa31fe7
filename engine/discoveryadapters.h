#pragma once

#include <QHostAddress>
#include <QString>
#include <QVector>

// An adapter that discovery probes and listens through.
struct Adapter
{
    QString name;
    QHostAddress address;
    QHostAddress netmask;
    QHostAddress broadcast; // the subnet's directed broadcast address
};

// Every adapter of this machine that qualifies for discovery, in the platform's order, each by
// its first non-zero IPv4 address.
QVector<Adapter> qualifyingAdapters();
