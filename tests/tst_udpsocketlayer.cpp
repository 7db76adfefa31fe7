#include "discovery/udpsocketlayer.h"
#include "discovery/worker.h"
#include "support/labenv.h"
#include "support/lanpeerclient.h"

#include <QtTest>

#include <sys/socket.h>

#include <memory>

namespace {

constexpr quint16 discoveryPort = 15367;

// Datagrams waiting in the socket, read without blocking.
int drain(udp::Handle socket)
{
    int count = 0;
    char buffer[2048];
    while (::recv(socket, buffer, sizeof buffer, MSG_DONTWAIT) > 0)
        ++count;
    return count;
}

} // namespace

class tst_UdpSocketLayer : public QObject
{
    Q_OBJECT

private slots:
    void parsesAndFormatsAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("address");
        QTest::newRow("lab") << "192.168.0.10" << 0xC0A8000Au;
        QTest::newRow("any") << "0.0.0.0" << 0u;
        QTest::newRow("group") << "239.255.255.250" << 0xEFFFFFFAu;
    }
    void parsesAndFormatsAddresses()
    {
        QFETCH(QString, text);
        QFETCH(quint32, address);
        QCOMPARE(udp::parseIpv4(text.toLatin1().constData()), address);
        char formatted[16];
        udp::formatIpv4(address, formatted);
        QCOMPARE(QString::fromLatin1(formatted), text);
    }

    void rejectsNonAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("words") << "no address";
        QTest::newRow("octet") << "192.168.0.256";
        QTest::newRow("short") << "192.168.0";
    }
    void rejectsNonAddress()
    {
        QFETCH(QString, text);
        QCOMPARE(udp::parseIpv4(text.toLatin1().constData()), udp::noAddress);
    }

    // A burst of 1,000 of the longest search replies waits in the kernel while nobody reads.
    void receiveBufferHoldsBurst_data()
    {
        QTest::addColumn<bool>("grown");
        QTest::addColumn<bool>("allKept");
        QTest::newRow("grown") << true << true;
        QTest::newRow("default") << false << false;
    }
    void receiveBufferHoldsBurst()
    {
        QFETCH(bool, grown);
        QFETCH(bool, allKept);
        constexpr int burst = 1000;
        LanPeer peer;
        QVERIFY(peer.start());
        const udp::Handle socket = udp::open();
        QVERIFY(socket != udp::invalidHandle);
        QVERIFY(udp::setReuseAddress(socket, true) == 0);
        if (grown)
            QVERIFY(udp::growReceiveBuffer(socket, discoveryReceiveBufferBytes) >= discoveryReceiveBufferBytes);
        QCOMPARE(udp::bindTo(socket, udp::parseIpv4(lab::pcAddress().toLatin1().constData()), discoveryPort), 0);
        QVERIFY(peer.command(QStringLiteral("burst %1 %2 %3 %4")
                                 .arg(lab::pcAddress())
                                 .arg(discoveryPort)
                                 .arg(burst)
                                 .arg(QString::fromLatin1(QByteArray(116, '\x5a').toHex()))));
        const int kept = drain(socket);
        udp::close(socket);
        QCOMPARE(kept == burst, allKept);
    }

    void wakeEndsBlockedReceive()
    {
        const udp::Handle socket = udp::open();
        QCOMPARE(udp::bindTo(socket, 0, 0), 0);
        QThread *waker = QThread::create([socket] {
            QThread::msleep(50);
            udp::wake(socket);
        });
        waker->start();
        char buffer[16];
        udp::Peer from;
        QCOMPARE(udp::receiveFrom(socket, buffer, sizeof buffer, from), 0L);
        waker->wait();
        delete waker;
        udp::close(socket);
    }
};

QTEST_GUILESS_MAIN(tst_UdpSocketLayer)
#include "tst_udpsocketlayer.moc"
