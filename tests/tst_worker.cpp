#include "discovery/worker.h"
#include "support/labenv.h"
#include "support/lanpeerclient.h"
#include "support/logcapture.h"
#include "support/waituntil.h"

#include <QUdpSocket>
#include <QtConcurrent>
#include <QtTest>

#include <memory>

namespace {

constexpr quint16 discoveryPort = 15367;
const QString group = QStringLiteral("239.255.255.250");

} // namespace

// Receives the worker's signals on the test's thread.
class Collector : public QObject
{
    Q_OBJECT

public:
    QList<QByteArray> data;
    QList<unsigned long> lengths;
    QStringList finished;

public slots:
    void onData(QByteArray datagram, unsigned long length)
    {
        data << datagram;
        lengths << length;
    }
    void onFinished(QString message) { finished << message; }
};

class tst_Worker : public QObject
{
    Q_OBJECT

    std::unique_ptr<LanPeer> peer;
    std::unique_ptr<WorkerObject> worker;
    std::unique_ptr<Collector> collector;
    QFuture<void> task;

    void startWorker(const QString &source = lab::pcAddress())
    {
        task = QtConcurrent::run(worker.get(), &WorkerObject::readFromSocket,
                                 static_cast<unsigned short>(discoveryPort), group, source);
    }
    bool probesSeen(int count)
    {
        return waitUntil([&] { return peer->probes().size() >= count; });
    }
    // Proves that nothing was probed before now: a multicast marker from another socket must be
    // the first thing the peer sees.
    void verifyNoProbeBeforeMarker()
    {
        QUdpSocket marker;
        QVERIFY(marker.bind(QHostAddress(lab::pcAddress()), 0));
        marker.writeDatagram(QByteArray("marker"), QHostAddress(group), discoveryPort);
        QVERIFY(waitUntil([&] { return !peer->probes().isEmpty(); }));
        QVERIFY2(peer->probes().first().endsWith(QLatin1String("6d61726b6572")), qPrintable(peer->probes().first()));
    }

private slots:
    void init()
    {
        peer = std::make_unique<LanPeer>();
        QVERIFY(peer->start());
        worker = std::make_unique<WorkerObject>();
        collector = std::make_unique<Collector>();
        connect(worker.get(), &WorkerObject::newDataSignal, collector.get(), &Collector::onData);
        connect(worker.get(), &WorkerObject::workFinished, collector.get(), &Collector::onFinished);
    }
    void cleanup()
    {
        worker->stop();
        task.waitForFinished();
        worker.reset();
        collector.reset();
        peer.reset();
    }

    void sendsBothProbesFromDiscoveryPort()
    {
        startWorker();
        QVERIFY(probesSeen(2));
        const QString from = lab::pcAddress() + QStringLiteral(" 15367 ");
        QVERIFY2(peer->probes().contains(QStringLiteral("probe 239.255.255.250 ") + from + QStringLiteral("8 59")),
                 qPrintable(peer->probes().join(QLatin1Char('\n'))));
        const QStringList broadcast = peer->probes().filter(QStringLiteral("probe 255.255.255.255 ") + from);
        QCOMPARE(broadcast.size(), 1);
        QVERIFY(broadcast.first().endsWith(QLatin1String(" 59")));
    }

    void deliversDatagramExactly_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("1") << 1;
        QTest::newRow("7") << 7;
        QTest::newRow("55") << 55;
        QTest::newRow("68") << 68;
        QTest::newRow("75") << 75;
        QTest::newRow("116") << 116;
        QTest::newRow("1024") << 1024;
    }
    void deliversDatagramExactly()
    {
        QFETCH(int, length);
        startWorker();
        QVERIFY(probesSeen(2));
        QByteArray datagram(length, '\0');
        for (int i = 0; i < length; ++i)
            datagram[i] = static_cast<char>(0xFF - i % 256);
        QVERIFY(peer->send(QString::fromLatin1(datagram.toHex())));
        QVERIFY(waitUntil([&] { return !collector->data.isEmpty(); }));
        QCOMPARE(collector->data.first(), datagram);
        QCOMPARE(collector->lengths.first(), static_cast<unsigned long>(length));
    }

    void dropsOversizedDatagramAndGoesOn()
    {
        startWorker();
        QVERIFY(probesSeen(2));
        QVERIFY(peer->send(QString::fromLatin1(QByteArray(1500, 'x').toHex())));
        QVERIFY(peer->send(QStringLiteral("41001a2b3c4d5e")));
        QVERIFY(waitUntil([&] { return !collector->data.isEmpty(); }));
        QCOMPARE(collector->data, QList<QByteArray>{QByteArray::fromHex("41001a2b3c4d5e")});
        QVERIFY(collector->finished.isEmpty());
    }

    void zeroLengthDatagramEndsLoop()
    {
        startWorker();
        QVERIFY(probesSeen(2));
        QVERIFY(peer->send(QString()));
        QVERIFY(waitUntil([&] { return !collector->finished.isEmpty(); }));
        QVERIFY2(collector->finished.first().startsWith(QLatin1String("readFromSocket 0x")),
                 qPrintable(collector->finished.first()));
        QVERIFY(waitUntil([&] { return task.isFinished(); }));
        QVERIFY(collector->data.isEmpty());
    }

    void stopWakesBlockedReceive()
    {
        startWorker();
        QVERIFY(probesSeen(2));
        worker->stop();
        QVERIFY(waitUntil([&] { return task.isFinished(); }));
        QTest::qWait(50);
        QVERIFY(collector->finished.isEmpty());
        QVERIFY(collector->data.isEmpty());
    }

    void stopBeforeStartSendsNothing()
    {
        worker->stop();
        startWorker();
        task.waitForFinished();
        verifyNoProbeBeforeMarker();
        QVERIFY(collector->finished.isEmpty());
    }

    void bindFailureIsLoggedAndNothingSent()
    {
        QUdpSocket occupant;
        QVERIFY(occupant.bind(QHostAddress(lab::pcAddress()), discoveryPort, QUdpSocket::DontShareAddress));
        LogCapture log;
        startWorker();
        task.waitForFinished();
        QVERIFY2(log.contains(QStringLiteral("bind failed, Err: 98")), qPrintable(log.messages().join('\n')));
        verifyNoProbeBeforeMarker();
        QVERIFY(collector->finished.isEmpty());
    }

    // A socket bound to the adapter's address never sees group traffic on Linux; one bound to
    // all interfaces does, unless multicast loop-back is off.
    void doesNotReceiveOwnMulticastProbe_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("adapter") << lab::pcAddress();
        QTest::newRow("any") << QStringLiteral("0.0.0.0");
    }
    void doesNotReceiveOwnMulticastProbe()
    {
        QFETCH(QString, source);
        QVERIFY(peer->command(QStringLiteral("answer 00112233445566778899")));
        startWorker(source);
        QVERIFY(waitUntil([&] { return !collector->data.isEmpty(); }));
        QCOMPARE(collector->data.first(), QByteArray::fromHex("00112233445566778899"));
    }

    void receivesWithAnyAddress()
    {
        startWorker(QStringLiteral("0.0.0.0"));
        QVERIFY(probesSeen(2));
        QVERIFY(peer->send(QStringLiteral("41")));
        QVERIFY(waitUntil([&] { return !collector->data.isEmpty(); }));
        QCOMPARE(collector->data.first(), QByteArray("A"));
    }

    void logsReceiveBufferObtained()
    {
        LogCapture log;
        startWorker();
        QVERIFY(probesSeen(2));
        const QStringList lines = log.messages().filter(QStringLiteral("SO_RCVBUF: "));
        QCOMPARE(lines.size(), 1);
        const int obtained = lines.first().section(QLatin1Char(' '), 1, 1).toInt();
        QVERIFY2(obtained >= discoveryReceiveBufferBytes, qPrintable(lines.first()));
    }
};

QTEST_GUILESS_MAIN(tst_Worker)
#include "tst_worker.moc"
