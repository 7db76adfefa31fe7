#include "discovery/adapterchoice.h"

#include <QtTest>

namespace {

AdapterCandidate physical(const QString &name, quint32 address)
{
    AdapterCandidate adapter;
    adapter.name = name;
    adapter.hardwareAddress = QStringLiteral("00:1A:2B:3C:4D:5E");
    adapter.ethernetOrWifi = true;
    adapter.up = adapter.running = adapter.canBroadcast = adapter.canMulticast = true;
    adapter.ipv4Addresses = {address};
    return adapter;
}

constexpr quint32 first = 0xC0A8000A;  // 192.168.0.10
constexpr quint32 second = 0x0A000005; // 10.0.0.5

} // namespace

Q_DECLARE_METATYPE(AdapterCandidate)

class tst_AdapterChoice : public QObject
{
    Q_OBJECT

private slots:
    void skipsFirst_data()
    {
        QTest::addColumn<AdapterCandidate>("skipped");

        AdapterCandidate a = physical(QStringLiteral("VirtualBox Host-Only Network"), first);
        QTest::newRow("virtualbox") << a;
        a = physical(QStringLiteral("VMware Network Adapter VMnet1"), first);
        QTest::newRow("vmware") << a;
        a = physical(QStringLiteral("Ethernet 3"), first);
        a.hardwareAddress = QStringLiteral("00:50:56:C0:00:08");
        QTest::newRow("vmware_mac") << a;
        a = physical(QStringLiteral("tun0"), first);
        a.ethernetOrWifi = false;
        QTest::newRow("not_ethernet") << a;
        a = physical(QStringLiteral("eth0"), first);
        a.up = false;
        QTest::newRow("down") << a;
        a = physical(QStringLiteral("eth0"), first);
        a.running = false;
        QTest::newRow("not_running") << a;
        a = physical(QStringLiteral("eth0"), first);
        a.canBroadcast = false;
        QTest::newRow("no_broadcast") << a;
        a = physical(QStringLiteral("eth0"), first);
        a.canMulticast = false;
        QTest::newRow("no_multicast") << a;
        a = physical(QStringLiteral("ppp0"), first);
        a.pointToPoint = true;
        QTest::newRow("point_to_point") << a;
        a = physical(QStringLiteral("lo"), first);
        a.loopBack = true;
        QTest::newRow("loopback") << a;
        a = physical(QStringLiteral("eth0"), 0);
        QTest::newRow("only_zero_address") << a;
        a = physical(QStringLiteral("eth0"), 0);
        a.ipv4Addresses.clear();
        QTest::newRow("no_ipv4") << a;
    }
    void skipsFirst()
    {
        QFETCH(AdapterCandidate, skipped);
        const QVector<AdapterCandidate> adapters{skipped, physical(QStringLiteral("eth1"), second)};
        QCOMPARE(chooseAdapterAddress(adapters), second);
    }

    void nameTestIsCaseSensitive()
    {
        const QVector<AdapterCandidate> adapters{physical(QStringLiteral("virtualbox lan"), first),
                                                 physical(QStringLiteral("eth1"), second)};
        QCOMPARE(chooseAdapterAddress(adapters), first);
    }

    void firstQualifyingWins()
    {
        const QVector<AdapterCandidate> adapters{physical(QStringLiteral("eth0"), first),
                                                 physical(QStringLiteral("eth1"), second)};
        QCOMPARE(chooseAdapterAddress(adapters), first);
    }

    void firstNonZeroEntryOfAdapter()
    {
        AdapterCandidate adapter = physical(QStringLiteral("eth0"), 0);
        adapter.ipv4Addresses << second << first;
        QCOMPARE(chooseAdapterAddress({adapter}), second);
    }

    void noneQualifies()
    {
        AdapterCandidate lo = physical(QStringLiteral("lo"), 0x7F000001);
        lo.loopBack = true;
        QCOMPARE(chooseAdapterAddress({lo}), 0u);
        QCOMPARE(chooseAdapterAddress({}), 0u);
    }

    void logsChoice()
    {
        QTest::ignoreMessage(QtDebugMsg, "lo  MAC: 00:00:00:00:00:00");
        QTest::ignoreMessage(QtDebugMsg, "eth0  MAC: 00:1A:2B:3C:4D:5E");
        QTest::ignoreMessage(QtDebugMsg, "网卡： eth0");
        QTest::ignoreMessage(QtDebugMsg, "IP： 192.168.0.10 MAC： 00:1A:2B:3C:4D:5E");
        AdapterCandidate lo = physical(QStringLiteral("lo"), 0x7F000001);
        lo.loopBack = true;
        lo.hardwareAddress = QStringLiteral("00:00:00:00:00:00");
        QCOMPARE(chooseAdapterAddress({lo, physical(QStringLiteral("eth0"), first)}), first);
    }
};

QTEST_GUILESS_MAIN(tst_AdapterChoice)
#include "tst_adapterchoice.moc"
