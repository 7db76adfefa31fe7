#include "devsim/fleetparser.h"
#include "discovery/reply201.h"
#include "discovery/reply407.h"
#include "discovery/replybytes.h"
#include "support/devsimprocess.h"
#include "support/labenv.h"
#include "support/waituntil.h"

#include <QFile>
#include <QNetworkDatagram>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

namespace {

const QString kDemoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");
constexpr quint16 kDiscoveryPort = 15367;
constexpr int kReceiveBuffer = 8 * 1024 * 1024;

QVector<SimDevice> demoDevices()
{
    QFile file(kDemoFleet);
    file.open(QIODevice::ReadOnly);
    return parseFleet(file.readAll()).devices;
}

int expectedLength(Family family)
{
    switch (family) {
    case Family::Old201:
        return reply201::length;
    case Family::Plain407:
        return reply407::length;
    case Family::Encrypted407:
        return reply407::encryptedLength;
    }
    return 0;
}

// The pc side of a search: the tool's discovery port, probes out, replies in.
class PcSide
{
public:
    bool open()
    {
        if (!socket.bind(QHostAddress(lab::pcAddress()), kDiscoveryPort,
                         QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
            return false;
        // A whole fleet answers at once; the default buffer holds only a few hundred replies.
        socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, kReceiveBuffer);
        return true;
    }
    void probe(const QString &destination, quint16 port)
    {
        socket.writeDatagram(QByteArray("Y"), QHostAddress(destination), port);
    }
    // Collects replies of at least minLength bytes until `count` arrived or the time is up.
    QList<QNetworkDatagram> collect(int count, int minLength = 0)
    {
        QList<QNetworkDatagram> got;
        waitUntil([&] {
            while (socket.hasPendingDatagrams()) {
                const QNetworkDatagram d = socket.receiveDatagram();
                if (d.data().size() >= minLength)
                    got << d;
            }
            return got.size() >= count;
        });
        return got;
    }

private:
    QUdpSocket socket;
};

} // namespace

class tst_DevsimLab : public QObject
{
    Q_OBJECT

private slots:
    void probeGetsEveryDevice_data()
    {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<int>("port");
        QTest::newRow("multicast") << "239.255.255.250" << 15367;
        QTest::newRow("broadcast") << "255.255.255.255" << 65535;
    }
    void probeGetsEveryDevice()
    {
        QFETCH(QString, destination);
        QFETCH(int, port);
        const QVector<SimDevice> fleet = demoDevices();
        QVERIFY(!fleet.isEmpty());
        DevsimProcess sim;
        QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet}));
        PcSide pc;
        QVERIFY(pc.open());
        pc.probe(destination, quint16(port));
        const QList<QNetworkDatagram> replies = pc.collect(fleet.size());
        QCOMPARE(replies.size(), fleet.size());
        for (const SimDevice &d : fleet) {
            const QString ip = QHostAddress(d.net.ip).toString();
            const auto from = std::find_if(replies.begin(), replies.end(), [&](const QNetworkDatagram &r) {
                return r.senderAddress().toString() == ip;
            });
            QVERIFY2(from != replies.end(), qPrintable(ip));
            QCOMPARE(from->data().size(), expectedLength(d.family));
            if (d.family != Family::Encrypted407)
                QCOMPARE(replybytes::replyIpv4(from->data()), ip);
        }
    }

    void generatedFleetAnswers_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("jitterMs");
        QTest::newRow("burst_5000") << 5000 << 0;
        QTest::newRow("jitter_60") << 60 << 50;
    }
    void generatedFleetAnswers()
    {
        QFETCH(int, count);
        QFETCH(int, jitterMs);
        DevsimProcess sim;
        QVERIFY(sim.start({QStringLiteral("--generate"), QString::number(count),
                           QStringLiteral("--jitter-ms"), QString::number(jitterMs)}));
        PcSide pc;
        QVERIFY(pc.open());
        pc.probe(QStringLiteral("239.255.255.250"), kDiscoveryPort);
        const QList<QNetworkDatagram> replies = pc.collect(count);
        QCOMPARE(replies.size(), count);
        QSet<QString> senders;
        for (const QNetworkDatagram &r : replies)
            senders.insert(r.senderAddress().toString());
        QCOMPARE(senders.size(), count);
    }

    // Junk at every door of the simulator leaves it answering searches.
    void survivesJunk_data()
    {
        QTest::addColumn<QByteArray>("junk");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("probe_lookalike") << QByteArray("YY");
        QTest::newRow("big") << QByteArray(1400, '\x5a');
        QTest::newRow("frame_header_long_body") << QByteArray::fromHex("0204ffff") + QByteArray(60, '\x11');
        QTest::newRow("frame_short_body") << QByteArray::fromHex("02040010") + QByteArray(16, '\x11');
        QTest::newRow("logout_to_201_mac") << QByteArray::fromHex("5256524c414e025100000021");
        QTest::newRow("setting_to_201_mac") << QByteArray::fromHex("5005c0a80001025100000021");
        QTest::newRow("login_sized_zeros") << QByteArray(77, '\0');
    }
    void survivesJunk()
    {
        QFETCH(QByteArray, junk);
        const QVector<SimDevice> fleet = demoDevices();
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString record = dir.filePath(QStringLiteral("record.txt"));
        DevsimProcess sim;
        QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet, QStringLiteral("--record"), record}));
        PcSide pc;
        QVERIFY(pc.open());
        QUdpSocket sender;
        sender.writeDatagram(junk, QHostAddress(QStringLiteral("239.255.255.250")), kDiscoveryPort);
        sender.writeDatagram(junk, QHostAddress(QStringLiteral("255.255.255.255")), 65535);
        int unicast = 0;
        for (const SimDevice &d : fleet) {
            if (d.family == Family::Old201)
                continue; // trades on the group only
            sender.writeDatagram(junk, QHostAddress(d.net.ip), d.net.port);
            ++unicast;
        }
        pc.probe(QStringLiteral("239.255.255.250"), kDiscoveryPort);
        // Junk may draw refusals (1 or 68 bytes); the search replies are the longer ones.
        const QList<QNetworkDatagram> replies = pc.collect(fleet.size(), reply407::length);
        QCOMPARE(replies.size(), fleet.size());
        // The junk did reach it: by multicast, by broadcast and at every unicast device's address.
        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = file.readAll().split('\n');
        lines.removeLast(); // after the last line's newline
        QCOMPARE(int(lines.count(junk.toHex())), unicast + 2);
    }

    // In the pc namespace (where this test runs) the simulator must refuse to start.
    void refusesOutsideLan()
    {
        QProcess process;
        process.start(DevsimProcess::program(), {QStringLiteral("--fleet"), kDemoFleet});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(!process.readAllStandardOutput().contains("ready"));
    }

    void refusesBadArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("both") << QStringList{"--fleet", kDemoFleet, "--generate", "3"};
        QTest::newRow("generate_zero") << QStringList{"--generate", "0"};
        QTest::newRow("missing_file") << QStringList{"--fleet", "/nonexistent/fleet.json"};
        QTest::newRow("negative_jitter") << QStringList{"--generate", "3", "--jitter-ms", "-5"};
    }
    void refusesBadArguments()
    {
        QFETCH(QStringList, arguments);
        DevsimProcess sim;
        QVERIFY(!sim.start(arguments));
    }
};

QTEST_GUILESS_MAIN(tst_DevsimLab)
#include "tst_devsimlab.moc"
