#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

// What the adapter choice needs to know of one network interface, in the platform's order.
struct AdapterCandidate
{
    QString name;            // human-readable name
    QString hardwareAddress; // "00:50:56:C0:00:08"
    bool ethernetOrWifi = false;
    bool up = false;
    bool running = false;
    bool canBroadcast = false;
    bool canMulticast = false;
    bool pointToPoint = false;
    bool loopBack = false;
    QVector<quint32> ipv4Addresses; // the interface's IPv4 entries, in order, host byte order
};

// The IPv4 address (host byte order) of the first physical Ethernet or Wi-Fi adapter that is
// up, running, broadcast and multicast capable and has a non-zero IPv4 address; 0 when none
// qualifies. Logs every adapter looked at and the one chosen.
quint32 chooseAdapterAddress(const QVector<AdapterCandidate> &adapters);
