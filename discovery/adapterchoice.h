#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

// One IPv4 entry of an interface, host byte order.
struct Ipv4Entry
{
    quint32 address = 0;
    quint32 netmask = 0;
    quint32 broadcast = 0;
};

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
    QVector<Ipv4Entry> ipv4Entries; // in order
};

// Whether devices can be searched through an adapter, and if not, why not. The reasons are
// English texts marked for translation in the context adapterReasonContext.
struct AdapterVerdict
{
    AdapterCandidate adapter;
    bool qualifies = false;
    Ipv4Entry entry; // the entry searches go through, when it qualifies
    QString reason;  // empty when it qualifies
};

constexpr char adapterReasonContext[] = "AdapterVerdict";

// A physical Ethernet or Wi-Fi adapter qualifies when it is up, running, broadcast and multicast
// capable, neither loopback nor point-to-point, and has a non-zero IPv4 address (its first such
// entry is the one used).
AdapterVerdict examineAdapter(const AdapterCandidate &adapter);
QVector<AdapterVerdict> examineAdapters(const QVector<AdapterCandidate> &candidates);

// The IPv4 address (host byte order) of the first qualifying adapter; 0 when none qualifies.
// Logs every adapter looked at and the one chosen.
quint32 chooseAdapterAddress(const QVector<AdapterCandidate> &adapters);
