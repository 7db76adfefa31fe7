#include "discovery/searchsocket.h"
#include "support/labenv.h"
#include "support/lanpeerclient.h"
#include "support/logcapture.h"
#include "support/waituntil.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

namespace {

constexpr quint16 discoveryPort = 15367;
const QHostAddress group(QStringLiteral("239.255.255.250"));

} // namespace

class tst_SearchSocket : public QObject
{
    Q_OBJECT

    std::unique_ptr<LanPeer> peer;

private slots:
    void init()
    {
        peer = std::make_unique<LanPeer>();
        QVERIFY(peer->start());
    }
    void cleanup() { peer.reset(); }

    void logsBind()
    {
        LogCapture log;
        QUdpSocket search;
        QCOMPARE(bindSearchSocket(search, QHostAddress(lab::pcAddress()), discoveryPort), QString());
        QCOMPARE(search.state(), QAbstractSocket::BoundState);
        QVERIFY(log.contains(QStringLiteral("Bind check . SocketState=")));
        QVERIFY(log.contains(QStringLiteral("Bind OK ! SocketState=")));
    }

    // The receiver is bound first, so without a reason to pass the search socket over, Linux
    // would hand the datagrams to the newer search socket.
    void unicastReachesReceiverOnly_data()
    {
        QTest::addColumn<QString>("local");
        QTest::newRow("adapter") << lab::pcAddress();
        QTest::newRow("any") << QStringLiteral("0.0.0.0");
    }
    void unicastReachesReceiverOnly()
    {
        QFETCH(QString, local);
        constexpr int count = 20;
        QUdpSocket receiver;
        QVERIFY(receiver.bind(QHostAddress(local), discoveryPort,
                              QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
        QUdpSocket search;
        QCOMPARE(bindSearchSocket(search, QHostAddress(local), discoveryPort), QString());
        QVERIFY(peer->command(QStringLiteral("burst %1 %2 %3 4100000000000000").arg(lab::pcAddress()).arg(discoveryPort).arg(count)));
        int received = 0;
        QVERIFY(waitUntil([&] {
            while (receiver.hasPendingDatagrams()) {
                receiver.receiveDatagram();
                ++received;
            }
            return received == count;
        }));
        QVERIFY(!search.hasPendingDatagrams());
        QCOMPARE(search.bytesAvailable(), 0);
    }

    void sendsProbesFromDiscoveryPort_data()
    {
        QTest::addColumn<QString>("local");
        QTest::newRow("adapter") << lab::pcAddress();
        QTest::newRow("any") << QStringLiteral("0.0.0.0");
    }
    void sendsProbesFromDiscoveryPort()
    {
        QFETCH(QString, local);
        QUdpSocket search;
        QCOMPARE(bindSearchSocket(search, QHostAddress(local), discoveryPort), QString());
        QCOMPARE(search.writeDatagram(QByteArray("Y"), group, discoveryPort), 1);
        QCOMPARE(search.writeDatagram(QByteArray("Y"), QHostAddress::Broadcast, 65535), 1);
        QVERIFY(waitUntil([&] { return peer->probes().size() >= 2; }));
        const QString from = lab::pcAddress() + QStringLiteral(" 15367 ");
        QCOMPARE(peer->probes().filter(QStringLiteral("probe 239.255.255.250 ") + from).size(), 1);
        QCOMPARE(peer->probes().filter(QStringLiteral("probe 255.255.255.255 ") + from).size(), 1);
    }

    void multicastProbeDoesNotLoopBack()
    {
        QUdpSocket receiver;
        QVERIFY(receiver.bind(QHostAddress(QHostAddress::AnyIPv4), discoveryPort,
                              QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
        QVERIFY(receiver.joinMulticastGroup(group));
        receiver.setSocketOption(QAbstractSocket::MulticastLoopbackOption, 0);
        QUdpSocket search;
        QCOMPARE(bindSearchSocket(search, QHostAddress(QHostAddress::AnyIPv4), discoveryPort), QString());
        QVERIFY(peer->command(QStringLiteral("answer 6d61726b6572")));
        QCOMPARE(search.writeDatagram(QByteArray("Y"), group, discoveryPort), 1);
        QVERIFY(waitUntil([&] { return receiver.hasPendingDatagrams(); }));
        QCOMPARE(receiver.receiveDatagram().data(), QByteArray("marker"));
    }

    void bindFailureIsReported()
    {
        QUdpSocket occupant;
        QVERIFY(occupant.bind(QHostAddress(lab::pcAddress()), discoveryPort, QUdpSocket::DontShareAddress));
        LogCapture log;
        QUdpSocket search;
        const QString fault = bindSearchSocket(search, QHostAddress(lab::pcAddress()), discoveryPort);
        QVERIFY(fault.contains(QStringLiteral("15367")));
        QCOMPARE(search.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(log.contains(QStringLiteral("Bind failed 1 ！SocketState=")));
    }
};

QTEST_GUILESS_MAIN(tst_SearchSocket)
#include "tst_searchsocket.moc"
