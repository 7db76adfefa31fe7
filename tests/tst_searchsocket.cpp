#include "engine/searchsocket.h"
#include "support/labenv.h"
#include "support/logcapture.h"
#include "support/waituntil.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

namespace {

constexpr quint16 discoveryPort = 15367;
const QHostAddress group(QStringLiteral("239.255.255.250"));

} // namespace

class tst_SearchSocket : public QObject
{
    Q_OBJECT

    QUdpSocket sender;
    void send(const QByteArray &datagram)
    {
        sender.writeDatagram(datagram, QHostAddress(lab::pcAddress()), discoveryPort);
    }

private slots:
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
        for (int i = 0; i < count; ++i)
            send(QByteArray("A"));
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

    void multicastProbeDoesNotLoopBack()
    {
        QUdpSocket receiver;
        QVERIFY(receiver.bind(QHostAddress(QHostAddress::AnyIPv4), discoveryPort,
                              QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
        QVERIFY(receiver.joinMulticastGroup(group));
        receiver.setSocketOption(QAbstractSocket::MulticastLoopbackOption, 0);
        QUdpSocket search;
        QCOMPARE(bindSearchSocket(search, QHostAddress(QHostAddress::AnyIPv4), discoveryPort), QString());
        QCOMPARE(search.writeDatagram(QByteArray("Y"), group, discoveryPort), 1);
        // A looped-back probe would be queued before this marker.
        send(QByteArray("marker"));
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
