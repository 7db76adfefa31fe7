#include "discovery/adapterchoice.h"

#include <QtTest>

namespace {

constexpr quint32 ip(quint8 a, quint8 b, quint8 c, quint8 d)
{
    return quint32(a) << 24 | b << 16 | c << 8 | d;
}

AdapterCandidate usable(const char *name, QVector<quint32> addresses)
{
    AdapterCandidate a;
    a.name = QString::fromLatin1(name);
    a.hardwareAddress = QStringLiteral("52:54:00:12:34:56");
    a.ethernetOrWifi = a.up = a.running = a.canBroadcast = a.canMulticast = true;
    a.ipv4Addresses = std::move(addresses);
    return a;
}

// The physical adapter that every row puts last: chosen whenever the ones before it are passed over.
AdapterCandidate fallback()
{
    return usable("eth1", {ip(10, 0, 0, 5)});
}

} // namespace

Q_DECLARE_METATYPE(AdapterCandidate)

class tst_AdapterChoice : public QObject
{
    Q_OBJECT
private slots:
    void firstQualifying_data();
    void firstQualifying();
    void noneQualifies();
};

void tst_AdapterChoice::firstQualifying_data()
{
    QTest::addColumn<AdapterCandidate>("first");
    QTest::addColumn<quint32>("chosen");
    const quint32 own = ip(192, 168, 0, 10);
    const quint32 other = ip(10, 0, 0, 5);
    QTest::newRow("physical_first") << usable("eth0", {own}) << own;
    QTest::newRow("virtualbox") << usable("VirtualBox Host-Only Network", {own}) << other;
    QTest::newRow("vmware") << usable("VMware Network Adapter VMnet1", {own}) << other;
    QTest::newRow("name_case_sensitive") << usable("vmware-like", {own}) << own;
    AdapterCandidate hostOnly = usable("Ethernet 3", {own});
    hostOnly.hardwareAddress = QStringLiteral("00:50:56:C0:00:08");
    QTest::newRow("vmware_host_only_mac") << hostOnly << other;
    QTest::newRow("zero_address_passed_over") << usable("eth0", {0}) << other;
    QTest::newRow("first_nonzero_entry") << usable("eth0", {0, own, ip(192, 168, 0, 11)}) << own;
    QTest::newRow("no_ipv4") << usable("eth0", {}) << other;
    const auto without = [&](const char *row, bool AdapterCandidate::*flag) {
        AdapterCandidate a = usable("eth0", {own});
        a.*flag = false;
        QTest::newRow(row) << a << other;
    };
    without("not_ethernet_or_wifi", &AdapterCandidate::ethernetOrWifi);
    without("down", &AdapterCandidate::up);
    without("not_running", &AdapterCandidate::running);
    without("no_broadcast", &AdapterCandidate::canBroadcast);
    without("no_multicast", &AdapterCandidate::canMulticast);
    AdapterCandidate tunnel = usable("ppp0", {own});
    tunnel.pointToPoint = true;
    QTest::newRow("point_to_point") << tunnel << other;
    AdapterCandidate loop = usable("lo", {own});
    loop.loopBack = true;
    QTest::newRow("loopback") << loop << other;
}

void tst_AdapterChoice::firstQualifying()
{
    QFETCH(AdapterCandidate, first);
    QFETCH(quint32, chosen);
    QCOMPARE(chooseAdapterAddress({first, fallback()}), chosen);
}

void tst_AdapterChoice::noneQualifies()
{
    AdapterCandidate loop = usable("lo", {ip(127, 0, 0, 1)});
    loop.loopBack = true;
    QCOMPARE(chooseAdapterAddress({loop, usable("VirtualBox", {ip(192, 168, 56, 1)})}), quint32(0));
    QCOMPARE(chooseAdapterAddress({}), quint32(0));
}

QTEST_GUILESS_MAIN(tst_AdapterChoice)
#include "tst_adapterchoice.moc"
