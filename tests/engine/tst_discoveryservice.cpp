#include "engine/discoveryservice.h"
#include "support/devsimprocess.h"
#include "support/labenv.h"
#include "support/waituntil.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

namespace {

const QString kDemoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");

struct FleetDevice
{
    const char *mac;
    DeviceFamily family;
    const char *ipv4;
    const char *port;
};

// devsim/fleets/demo.json
const FleetDevice kDemo[] = {
    {"02:51:00:00:02:42", DeviceFamily::Reply201, "192.168.0.242", "8080"},
    {"02:51:00:00:00:21", DeviceFamily::Reply201, "192.168.0.21", "15000"},
    {"02:51:00:00:00:31", DeviceFamily::Plain407, "192.168.0.31", "15000"},
    {"02:51:00:00:00:32", DeviceFamily::Plain407, "192.168.0.32", "15001"},
    {"02:51:00:00:00:41", DeviceFamily::Encrypted407, "192.168.0.41", "15000"},
    {"02:51:00:00:00:42", DeviceFamily::Encrypted407, "192.168.0.42", "15002"},
};
constexpr int kDemoSize = int(std::size(kDemo));

bool everyDeviceAnswered(DeviceList &list, int replies)
{
    if (list.size() != kDemoSize)
        return false;
    for (int i = 0; i < list.size(); ++i)
        if (list.at(i).replies < replies)
            return false;
    return true;
}

} // namespace

// Discovery without the window: the engine's service against the simulator and against
// datagrams sent from the test itself, over the lab's real sockets.
class tst_DiscoveryService : public QObject
{
    Q_OBJECT
private slots:
    void labAdapterQualifies();
    void findsFleet_data();
    void findsFleet();
    void portsAreParameters();
    void openFailsOnForeignAddress();
};

// Both of the lab's networks, in the platform's order: every adapter that qualifies.
void tst_DiscoveryService::labAdapterQualifies()
{
    const QVector<Adapter> adapters = qualifyingAdapters();
    QCOMPARE(adapters.size(), 2);
    QCOMPARE(adapters[0].address, QHostAddress(QStringLiteral("192.168.0.10")));
    QCOMPARE(adapters[0].netmask, QHostAddress(QStringLiteral("255.255.255.0")));
    QCOMPARE(adapters[0].broadcast, QHostAddress(QStringLiteral("192.168.0.255")));
    QCOMPARE(adapters[1].address, QHostAddress(QStringLiteral("10.77.0.10")));
    QCOMPARE(adapters[1].broadcast, QHostAddress(QStringLiteral("10.77.0.255")));
}

void tst_DiscoveryService::findsFleet_data()
{
    QTest::addColumn<bool>("directed");
    QTest::addColumn<int>("rounds");
    QTest::addColumn<int>("replies"); // per device: one per probe
    QTest::newRow("two_rounds") << false << 2 << 4;
    QTest::newRow("directed_broadcast") << true << 1 << 3;
}

void tst_DiscoveryService::findsFleet()
{
    QFETCH(bool, directed);
    QFETCH(int, rounds);
    QFETCH(int, replies);
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet}));
    DiscoveryConfig config;
    config.directedBroadcast = directed;
    config.rounds = rounds;
    DiscoveryService service(qualifyingAdapters(), config);
    QVERIFY2(service.open(), qPrintable(service.error()));
    QList<int> roundsSent;
    int added = 0;
    connect(&service, &DiscoveryService::probesSent, this, [&](int round) { roundsSent << round; });
    connect(&service, &DiscoveryService::deviceSeen, this, [&](int, bool isNew) { added += isNew ? 1 : 0; });
    service.probe();

    QVERIFY(waitUntil([&] { return everyDeviceAnswered(service.devices(), replies); }));
    QTest::qWait(300); // nothing more is on its way
    QCOMPARE(added, kDemoSize);
    const QList<int> expectedRounds = rounds == 2 ? QList<int>{1, 2} : QList<int>{1};
    QCOMPARE(roundsSent, expectedRounds);
    DeviceList &list = service.devices();
    for (const FleetDevice &device : kDemo) {
        const int index = list.indexOf(QString::fromLatin1(device.mac));
        QVERIFY2(index >= 0, device.mac);
        QCOMPARE(list.at(index).replies, replies);
        QCOMPARE(list.at(index).adapter, service.adapters()[0].name);
        QCOMPARE(list[index].protocol, device.family);
        QCOMPARE(list[index].ipv4, QString::fromLatin1(device.ipv4));
        QCOMPARE(list[index].port, QString::fromLatin1(device.port));
    }
    const deviceReply &framed = list[list.indexOf(QStringLiteral("02:51:00:00:00:42"))];
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(framed.SNID), 16),
             QByteArray::fromHex("a0a1a2a3a4a5a6a7a8a9aaabacadaeaf"));
}

void tst_DiscoveryService::portsAreParameters()
{
    // The test plays the device on ports of its own: it answers the broadcast probe.
    constexpr quint16 discoveryPort = 25367;
    constexpr quint16 broadcastPort = 25368;
    QUdpSocket device;
    QVERIFY(device.bind(QHostAddress::AnyIPv4, broadcastPort, QUdpSocket::ShareAddress));
    QList<QNetworkDatagram> received;
    const QByteArray searchReply = QByteArray::fromHex("0000001a2b3c4d5eea60c0a8000a") + QByteArray(41, '\0');
    connect(&device, &QUdpSocket::readyRead, this, [&] {
        while (device.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = device.receiveDatagram();
            received << datagram;
            if (datagram.data() == "Y")
                device.writeDatagram(searchReply, datagram.senderAddress(), quint16(datagram.senderPort()));
        }
    });

    DiscoveryConfig config;
    config.discoveryPort = discoveryPort;
    config.broadcastPort = broadcastPort;
    DiscoveryService service({qualifyingAdapters().first()}, config);
    QVERIFY2(service.open(), qPrintable(service.error()));
    QList<intake::Classified> trades;
    QList<QHostAddress> tradeSenders;
    QList<int> tradeAdapters;
    QStringList noise;
    connect(&service, &DiscoveryService::tradeReply, this,
            [&](const intake::Classified &reply, const QHostAddress &from, int adapter) {
                trades << reply;
                tradeSenders << from;
                tradeAdapters << adapter;
            });
    connect(&service, &DiscoveryService::noise, this,
            [&](const QByteArray &, const QHostAddress &, const QString &reason) { noise << reason; });
    service.probe();
    QVERIFY(waitUntil([&] { return service.devices().size() == 1; }));
    QCOMPARE(service.devices()[0].mac, QStringLiteral("00:1A:2B:3C:4D:5E"));
    QCOMPARE(service.devices()[0].port, QStringLiteral("60000"));

    const QHostAddress serviceAddress(lab::pcAddress());
    device.writeDatagram(QByteArray::fromHex("41001a2b3c4d5e"), serviceAddress, discoveryPort);
    device.writeDatagram(QByteArray(56, '\x01'), serviceAddress, discoveryPort);
    QVERIFY(waitUntil([&] { return trades.size() == 1 && noise.size() == 1; }));
    QCOMPARE(trades[0].family, DeviceFamily::Reply201);
    QVERIFY(trades[0].accepted);
    QCOMPARE(tradeSenders[0], serviceAddress);
    QCOMPARE(tradeAdapters[0], 0);
    QVERIFY(!noise[0].isEmpty());

    received.clear();
    QVERIFY(service.send(QByteArrayLiteral("trade"), serviceAddress, broadcastPort, 0));
    QVERIFY(!service.send(QByteArrayLiteral("trade"), serviceAddress, broadcastPort, 1));
    QVERIFY(waitUntil([&] { return !received.isEmpty(); }));
    QCOMPARE(received[0].data(), QByteArrayLiteral("trade"));
    QCOMPARE(received[0].senderPort(), int(discoveryPort));
}

void tst_DiscoveryService::openFailsOnForeignAddress()
{
    const Adapter foreign{QStringLiteral("nowhere"), QHostAddress(QStringLiteral("192.0.2.1")),
                          QHostAddress(QStringLiteral("255.255.255.0")),
                          QHostAddress(QStringLiteral("192.0.2.255"))};
    DiscoveryService service({foreign}, DiscoveryConfig());
    QVERIFY(!service.open());
    QVERIFY(service.error().contains(QStringLiteral("nowhere (192.0.2.1)")));
    QVERIFY(!service.send(QByteArrayLiteral("Y"), QHostAddress(QStringLiteral("192.168.0.1")), 15000, 0));
}

QTEST_GUILESS_MAIN(tst_DiscoveryService)
#include "tst_discoveryservice.moc"
