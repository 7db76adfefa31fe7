#include "discovery/reply201.h"
#include "discovery/reply407.h"
#include "netcfg/tradeframes.h"
#include "support/devsimprocess.h"
#include "support/labenv.h"
#include "support/waituntil.h"
#include "webcfg/commandreply.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkDatagram>
#include <QNetworkReply>
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

    void refusedLogin()
    {
        DevsimProcess sim;
        QVERIFY(sim.start(withFault("refuse")));
        QUdpSocket socket;
        QVERIFY(socket.bind(QHostAddress(lab::pcAddress()), kDiscoveryPort,
                            QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
        socket.writeDatagram(tradeframes::loginPlain(QByteArray::fromHex("c0a8001f")),
                             QHostAddress(QStringLiteral("192.168.0.31")), 15000);
        QByteArray reply;
        QVERIFY(waitUntil([&] {
            if (socket.hasPendingDatagrams())
                reply = socket.receiveDatagram().data();
            return !reply.isEmpty();
        }));
        QCOMPARE(reply, QByteArray("N"));
    }

    void webRedirect()
    {
        DevsimProcess sim;
        QVERIFY(sim.start(withFault("redirect")));
        QNetworkAccessManager manager;
        QNetworkRequest request(QUrl(QStringLiteral("http://192.168.0.242:8080/command/datetime_get")));
        QNetworkReply *reply = manager.post(request, QByteArray("datetime_get"));
        QVERIFY(waitUntil([&] { return reply->isFinished(); }));
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 302);
        QCOMPARE(reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl().toString(),
                 QStringLiteral("http://192.168.0.242:8080/command/datetime_get?moved=1"));
        delete reply;
        // The redirected request is answered by the device itself.
        reply = manager.post(
            QNetworkRequest(QUrl(QStringLiteral("http://192.168.0.242:8080/command/datetime_get?moved=1"))),
            QByteArray());
        QVERIFY(waitUntil([&] { return reply->isFinished(); }));
        QCOMPARE(QString::fromUtf8(reply->readAll()), QStringLiteral("relogin"));
        delete reply;
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
