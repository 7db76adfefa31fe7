#include "discovery/adapterchoice.h"

#include <QDebug>

namespace {

// The host-only adapter of VMware Workstation, whatever its name says.
const char vmwareHostOnlyMac[] = "00:50:56:C0:00:08";

// Why an adapter does not qualify; nullptr when nothing speaks against it.
const char *rejection(const AdapterCandidate &adapter)
{
    if (adapter.name.contains(QLatin1String("VirtualBox")))
        return QT_TRANSLATE_NOOP("AdapterVerdict", "virtual adapter (VirtualBox)");
    if (adapter.name.contains(QLatin1String("VMware")))
        return QT_TRANSLATE_NOOP("AdapterVerdict", "virtual adapter (VMware)");
    if (adapter.hardwareAddress == QLatin1String(vmwareHostOnlyMac))
        return QT_TRANSLATE_NOOP("AdapterVerdict", "virtual adapter (VMware host-only)");
    if (adapter.loopBack)
        return QT_TRANSLATE_NOOP("AdapterVerdict", "loopback");
    if (adapter.pointToPoint)
        return QT_TRANSLATE_NOOP("AdapterVerdict", "point-to-point link");
    if (!adapter.ethernetOrWifi)
        return QT_TRANSLATE_NOOP("AdapterVerdict", "neither Ethernet nor Wi-Fi");
    if (!adapter.up)
        return QT_TRANSLATE_NOOP("AdapterVerdict", "not up");
    if (!adapter.running)
        return QT_TRANSLATE_NOOP("AdapterVerdict", "not running");
    if (!adapter.canBroadcast)
        return QT_TRANSLATE_NOOP("AdapterVerdict", "cannot broadcast");
    if (!adapter.canMulticast)
        return QT_TRANSLATE_NOOP("AdapterVerdict", "cannot multicast");
    return nullptr;
}

QString dotted(quint32 address)
{
    return QString::asprintf("%u.%u.%u.%u", address >> 24, (address >> 16) & 0xFF, (address >> 8) & 0xFF,
                             address & 0xFF);
}

} // namespace

AdapterVerdict examineAdapter(const AdapterCandidate &adapter)
{
    AdapterVerdict verdict;
    verdict.adapter = adapter;
    if (const char *reason = rejection(adapter)) {
        verdict.reason = QString::fromLatin1(reason);
        return verdict;
    }
    for (const Ipv4Entry &entry : adapter.ipv4Entries) {
        if (entry.address == 0)
            continue;
        verdict.qualifies = true;
        verdict.entry = entry;
        return verdict;
    }
    verdict.reason = QString::fromLatin1(QT_TRANSLATE_NOOP("AdapterVerdict", "no IPv4 address"));
    return verdict;
}

QVector<AdapterVerdict> examineAdapters(const QVector<AdapterCandidate> &candidates)
{
    QVector<AdapterVerdict> verdicts;
    verdicts.reserve(candidates.size());
    for (const AdapterCandidate &candidate : candidates)
        verdicts << examineAdapter(candidate);
    return verdicts;
}

quint32 chooseAdapterAddress(const QVector<AdapterCandidate> &adapters)
{
    for (const AdapterCandidate &adapter : adapters) {
        qDebug().noquote() << adapter.name << " MAC:" << adapter.hardwareAddress;
        const AdapterVerdict verdict = examineAdapter(adapter);
        if (!verdict.qualifies)
            continue;
        qDebug().noquote() << "网卡：" << adapter.name;
        qDebug().noquote() << "IP：" << dotted(verdict.entry.address) << "MAC：" << adapter.hardwareAddress;
        return verdict.entry.address;
    }
    return 0;
}
