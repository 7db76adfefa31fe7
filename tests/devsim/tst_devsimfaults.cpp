#include "discovery/reply201.h"
#include "discovery/reply407.h"
#include "support/devsimprocess.h"
#include "support/labenv.h"
#include "support/waituntil.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

namespace {

const QString kDemoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");
constexpr quint16 kDiscoveryPort = 15367;
constexpr int kDemoDevices = 6;

QStringList withFault(const char *kind)
{
    return {QStringLiteral("--fleet"), kDemoFleet, QStringLiteral("--fault"), QString::fromLatin1(kind)};
}

// The lengths of the replies to one probe, by the address they came from.
QHash<QString, QByteArray> probe()
{
    QUdpSocket socket;
    if (!socket.bind(QHostAddress(lab::pcAddress()), kDiscoveryPort,
                     QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
        return {};
    socket.writeDatagram(QByteArray("Y"), QHostAddress(QStringLiteral("239.255.255.250")), kDiscoveryPort);
    QHash<QString, QByteArray> replies;
    waitUntil([&] {
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram d = socket.receiveDatagram();
            replies.insert(d.senderAddress().toString(), d.data());
        }
        return replies.size() >= kDemoDevices;
    });
    return replies;
}

} // namespace

class tst_DevsimFaults : public QObject
{
    Q_OBJECT

private slots:
    void searchReplies_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("extra");
        QTest::newRow("none") << "none" << 0;
        QTest::newRow("wrong-length") << "wrong-length" << 1;
        QTest::newRow("garbage") << "garbage" << 0;
        QTest::newRow("refuse") << "refuse" << 0;
    }
    void searchReplies()
    {
        QFETCH(QString, kind);
        QFETCH(int, extra);
        DevsimProcess sim;
        QVERIFY(sim.start(withFault(qPrintable(kind))));
        const QHash<QString, QByteArray> replies = probe();
        QCOMPARE(replies.size(), kDemoDevices);
        QCOMPARE(replies.value(QStringLiteral("192.168.0.21")).size(), reply201::length + extra);
        QCOMPARE(replies.value(QStringLiteral("192.168.0.31")).size(), reply407::length + extra);
        QCOMPARE(replies.value(QStringLiteral("192.168.0.41")).size(), reply407::encryptedLength + extra);
        // The 201 reply names its device's MAC unless the bytes are garbage.
        const bool macKept = replies.value(QStringLiteral("192.168.0.21")).mid(reply201::macOffset, 6) ==
                             QByteArray::fromHex("025100000021");
        QCOMPARE(macKept, kind != QLatin1String("garbage"));
    }

    // A fault in the fleet file touches only its own device.
    void oneFaultyDevice()
    {
        QFile demo(kDemoFleet);
        QVERIFY(demo.open(QIODevice::ReadOnly));
        QJsonObject fleet = QJsonDocument::fromJson(demo.readAll()).object();
        QJsonArray devices = fleet.value(QStringLiteral("devices")).toArray();
        for (int i = 0; i < devices.size(); ++i) {
            QJsonObject d = devices.at(i).toObject();
            if (d.value(QStringLiteral("ip")).toString() == QLatin1String("192.168.0.31"))
                d.insert(QStringLiteral("fault"), QStringLiteral("wrong-length"));
            devices[i] = d;
        }
        fleet.insert(QStringLiteral("devices"), devices);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("fleet.json")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(fleet).toJson());
        file.close();

        DevsimProcess sim;
        QVERIFY(sim.start({QStringLiteral("--fleet"), file.fileName()}));
        const QHash<QString, QByteArray> replies = probe();
        QCOMPARE(replies.size(), kDemoDevices);
        QCOMPARE(replies.value(QStringLiteral("192.168.0.31")).size(), reply407::length + 1);
        QCOMPARE(replies.value(QStringLiteral("192.168.0.32")).size(), reply407::length);
    }

    void refusesUnknownFault()
    {
        DevsimProcess sim;
        QVERIFY(!sim.start(withFault("slow")));
    }
};

QTEST_GUILESS_MAIN(tst_DevsimFaults)
#include "tst_devsimfaults.moc"
