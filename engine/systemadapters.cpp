#include "engine/systemadapters.h"

#include <QNetworkInterface>

QVector<AdapterCandidate> systemAdapters()
{
    QVector<AdapterCandidate> adapters;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        AdapterCandidate adapter;
        adapter.name = interface.humanReadableName();
        adapter.hardwareAddress = interface.hardwareAddress();
        adapter.ethernetOrWifi = interface.type() == QNetworkInterface::Ethernet
                              || interface.type() == QNetworkInterface::Wifi;
        const QNetworkInterface::InterfaceFlags flags = interface.flags();
        adapter.up = flags.testFlag(QNetworkInterface::IsUp);
        adapter.running = flags.testFlag(QNetworkInterface::IsRunning);
        adapter.canBroadcast = flags.testFlag(QNetworkInterface::CanBroadcast);
        adapter.canMulticast = flags.testFlag(QNetworkInterface::CanMulticast);
        adapter.pointToPoint = flags.testFlag(QNetworkInterface::IsPointToPoint);
        adapter.loopBack = flags.testFlag(QNetworkInterface::IsLoopBack);
        const QList<QNetworkAddressEntry> entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries)
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                adapter.ipv4Addresses << entry.ip().toIPv4Address();
        adapters << adapter;
    }
    return adapters;
}
