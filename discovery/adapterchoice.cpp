#include "discovery/adapterchoice.h"

#include <QDebug>

namespace {

// The host-only adapter of VMware Workstation, whatever its name says.
const char vmwareHostOnlyMac[] = "00:50:56:C0:00:08";

bool isVirtual(const AdapterCandidate &adapter)
{
    return adapter.name.contains(QLatin1String("VirtualBox"))
        || adapter.name.contains(QLatin1String("VMware"))
        || adapter.hardwareAddress == QLatin1String(vmwareHostOnlyMac);
}

bool isUsable(const AdapterCandidate &adapter)
{
    return adapter.up && adapter.running && adapter.canBroadcast && adapter.canMulticast
        && !adapter.pointToPoint && !adapter.loopBack;
}

QString dotted(quint32 address)
{
    return QString::asprintf("%u.%u.%u.%u", address >> 24, (address >> 16) & 0xFF,
                             (address >> 8) & 0xFF, address & 0xFF);
}

} // namespace

quint32 chooseAdapterAddress(const QVector<AdapterCandidate> &adapters)
{
    for (const AdapterCandidate &adapter : adapters) {
        qDebug().noquote() << adapter.name << " MAC:" << adapter.hardwareAddress;
        if (isVirtual(adapter) || !adapter.ethernetOrWifi || !isUsable(adapter))
            continue;
        for (const quint32 address : adapter.ipv4Addresses) {
            if (address == 0)
                continue;
            qDebug().noquote() << "网卡：" << adapter.name;
            qDebug().noquote() << "IP：" << dotted(address) << "MAC：" << adapter.hardwareAddress;
            return address;
        }
    }
    return 0;
}
