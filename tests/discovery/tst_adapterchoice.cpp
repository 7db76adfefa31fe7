#include "discovery/adapterchoice.h"

#include <QtTest>

Q_DECLARE_METATYPE(AdapterCandidate)

namespace {

constexpr quint32 lanAddress = 0xC0A8000A; // 192.168.0.10

AdapterCandidate ethernet(const char *name, quint32 address = lanAddress)
{
    AdapterCandidate a;
    a.name = QString::fromLatin1(name);
    a.hardwareAddress = QStringLiteral("02:00:00:00:00:01");
    a.ethernetOrWifi = a.up = a.running = a.canBroadcast = a.canMulticast = true;
    a.ipv4Entries = {{address, 0xFFFFFF00, address | 0xFF}};
    return a;
}

} // namespace

class tst_AdapterChoice : public QObject
{
    Q_OBJECT
private slots:
    void verdicts_data();
    void verdicts();
    void firstQualifyingAdapterChosen();
};

void tst_AdapterChoice::verdicts_data()
{
    QTest::addColumn<AdapterCandidate>("candidate");
    QTest::addColumn<QString>("reason");
    QTest::newRow("qualifies") << ethernet("eth0") << QString();
    QTest::newRow("virtualbox") << ethernet("VirtualBox Host-Only Network") << "virtual adapter (VirtualBox)";
    QTest::newRow("vmware") << ethernet("VMware Network Adapter VMnet1") << "virtual adapter (VMware)";
    AdapterCandidate hostOnly = ethernet("eth1");
    hostOnly.hardwareAddress = QStringLiteral("00:50:56:C0:00:08");
    QTest::newRow("vmware_host_only_mac") << hostOnly << "virtual adapter (VMware host-only)";
    AdapterCandidate loop = ethernet("lo");
    loop.loopBack = true;
    loop.ethernetOrWifi = false;
    QTest::newRow("loopback") << loop << "loopback";
    AdapterCandidate ppp = ethernet("ppp0");
    ppp.pointToPoint = true;
    QTest::newRow("point_to_point") << ppp << "point-to-point link";
    AdapterCandidate tunnel = ethernet("tun0");
    tunnel.ethernetOrWifi = false;
    QTest::newRow("not_ethernet") << tunnel << "neither Ethernet nor Wi-Fi";
    AdapterCandidate down = ethernet("eth2");
    down.up = false;
    QTest::newRow("down") << down << "not up";
    AdapterCandidate unplugged = ethernet("eth3");
    unplugged.running = false;
    QTest::newRow("not_running") << unplugged << "not running";
    AdapterCandidate noBroadcast = ethernet("eth4");
    noBroadcast.canBroadcast = false;
    QTest::newRow("no_broadcast") << noBroadcast << "cannot broadcast";
    AdapterCandidate noMulticast = ethernet("eth5");
    noMulticast.canMulticast = false;
    QTest::newRow("no_multicast") << noMulticast << "cannot multicast";
    QTest::newRow("only_zero_address") << ethernet("eth6", 0) << "no IPv4 address";
    AdapterCandidate noEntries = ethernet("eth7");
    noEntries.ipv4Entries.clear();
    QTest::newRow("no_entries") << noEntries << "no IPv4 address";
}

void tst_AdapterChoice::verdicts()
{
    QFETCH(AdapterCandidate, candidate);
    QFETCH(QString, reason);
    const QVector<AdapterVerdict> verdicts = examineAdapters({candidate});
    QCOMPARE(verdicts.size(), 1);
    QCOMPARE(verdicts[0].reason, reason);
    QCOMPARE(verdicts[0].qualifies, reason.isEmpty());
    if (reason.isEmpty()) {
        QCOMPARE(verdicts[0].entry.address, lanAddress);
        QCOMPARE(verdicts[0].entry.broadcast, 0xC0A800FFu);
    }
}

void tst_AdapterChoice::firstQualifyingAdapterChosen()
{
    AdapterCandidate zeroFirst = ethernet("eth1", 0);
    zeroFirst.ipv4Entries << Ipv4Entry{0xC0A80105, 0xFFFFFF00, 0xC0A801FF};
    const QVector<AdapterCandidate> adapters = {ethernet("VMware Network Adapter VMnet8", 0x0A000001),
                                                zeroFirst, ethernet("eth2", 0xC0A80205)};
    QCOMPARE(chooseAdapterAddress(adapters), 0xC0A80105u); // 192.168.1.5, its first non-zero entry
    QCOMPARE(chooseAdapterAddress({adapters[0]}), 0u);
}

QTEST_APPLESS_MAIN(tst_AdapterChoice)
#include "tst_adapterchoice.moc"
