#include "crypto/framecipher.h"
#include "discovery/reply201.h"
#include "discovery/reply407.h"
#include "netcfg/tradeplan.h"
#include "support/devsimprocess.h"
#include "support/labenv.h"
#include "support/waituntil.h"
#include "webcfg/commandreply.h"

#include <QNetworkAccessManager>
#include <QNetworkDatagram>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QUdpSocket>
#include <QtTest>

namespace {

const QString kDemoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");
const QHostAddress kGroup(QStringLiteral("239.255.255.250"));
constexpr quint16 kDiscoveryPort = 15367;
constexpr int kReceiveBuffer = 8 * 1024 * 1024;
constexpr int kPlainReply = 1, kMacReply = 7, kFramedReply = 68;

framecipher::TransactionId txidOf(const unsigned char *bytes)
{
    framecipher::TransactionId id{};
    std::copy_n(bytes, id.size(), id.begin());
    return id;
}
framecipher::DeviceId snidOf(const unsigned char *bytes)
{
    framecipher::DeviceId id{};
    std::copy_n(bytes, id.size(), id.begin());
    return id;
}

QByteArray draw()
{
    QByteArray bytes(framecipher::kDrawSize, '\0');
    for (char &b : bytes)
        b = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

// The web login's answer at ip:port, as the tool would post it.
QString webLogin(const QString &ip, const QString &port)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(QStringLiteral("http://%1:%2/command/login").arg(ip, port)));
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    QNetworkReply *reply =
        manager.post(request, commandreply::loginBody(QStringLiteral("admin"), QStringLiteral("888888")));
    waitUntil([&] { return reply->isFinished(); });
    const QString text = QString::fromUtf8(reply->readAll());
    delete reply;
    return text;
}

enum class Result
{
    Accepted,
    Refused,
    NoReply
};

// Just enough of the tool to search, list and trade, on the pc side of the lab.
class ToolSide
{
public:
    bool open()
    {
        if (!socket.bind(QHostAddress(lab::pcAddress()), kDiscoveryPort,
                         QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
            return false;
        socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, kReceiveBuffer);
        return true;
    }

    // Probes and lists the replies by the address they came from.
    QHash<QString, deviceReply> search(int expected)
    {
        QHash<QString, deviceReply> found;
        socket.writeDatagram(QByteArray("Y"), kGroup, kDiscoveryPort);
        waitUntil([&] {
            while (socket.hasPendingDatagrams()) {
                const QNetworkDatagram d = socket.receiveDatagram();
                deviceReply record;
                if (d.data().size() == reply201::length) {
                    reply201::decode(d.data(), record);
                    record.protocol = 3;
                } else if (d.data().size() == reply407::length) {
                    reply407::decode(d.data(), record);
                    record.protocol = 1;
                } else if (d.data().size() == reply407::encryptedLength) {
                    const framecipher::OpenedBody body =
                        framecipher::openBody(d.data().mid(framecipher::kHeaderSize));
                    std::copy(body.transactionId.begin(), body.transactionId.end(), record.TXID);
                    std::copy(body.deviceId.begin(), body.deviceId.end(), record.SNID);
                    reply407::decode(body.payload, record);
                    record.protocol = 2;
                } else {
                    continue;
                }
                found.insert(d.senderAddress().toString(), record);
            }
            return found.size() >= expected;
        });
        return found;
    }

    // One trade as the tool sends it, judged the way the tool judges the reply.
    Result trade(deviceReply &record, const QByteArray &request)
    {
        QByteArray wire = request;
        QHostAddress to(record.ipv4);
        quint16 port = quint16(record.port.toUInt());
        if (record.protocol == 2)
            wire = framecipher::buildFrame(
                request, framecipher::nextTransactionId(txidOf(record.TXID), snidOf(record.SNID)),
                snidOf(record.SNID), draw());
        if (record.protocol == 3) {
            to = kGroup;
            port = kDiscoveryPort;
        }
        socket.writeDatagram(wire, to, port);
        const int expected = record.protocol == 1   ? kPlainReply
                             : record.protocol == 2 ? kFramedReply
                                                    : kMacReply;
        QByteArray reply;
        waitUntil([&] {
            while (socket.hasPendingDatagrams()) {
                const QNetworkDatagram d = socket.receiveDatagram();
                if (d.data().size() == expected && d.senderAddress() == QHostAddress(record.ipv4))
                    reply = d.data();
            }
            return !reply.isEmpty();
        });
        if (reply.isEmpty())
            return Result::NoReply;
        if (record.protocol != 2)
            return reply[0] == 'A' ? Result::Accepted : Result::Refused;
        const framecipher::OpenedBody body = framecipher::openBody(reply.mid(framecipher::kHeaderSize));
        std::copy(body.transactionId.begin(), body.transactionId.end(), record.TXID);
        const QByteArray p = body.payload;
        const bool done =
            p.startsWith('A') || (p.size() > 6 && quint8(p[0]) == 0xB7 && p[5] == 0x05 && p[6] == '3');
        return done ? Result::Accepted : Result::Refused;
    }

private:
    QUdpSocket socket;
};

} // namespace

class tst_DevsimTrades : public QObject
{
    Q_OBJECT

private slots:
    void changeAndSearchAgain_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("newIp");
        QTest::addColumn<QString>("newPort");
        QTest::newRow("407_port") << "192.168.0.31"
                                  << "192.168.0.31"
                                  << "15100";
        QTest::newRow("407_address") << "192.168.0.32"
                                     << "192.168.7.32"
                                     << "15001";
        QTest::newRow("407enc_port") << "192.168.0.41"
                                     << "192.168.0.41"
                                     << "15200";
        QTest::newRow("407enc_address_and_port") << "192.168.0.42"
                                                 << "192.168.9.42"
                                                 << "16000";
        QTest::newRow("201_address") << "192.168.0.21"
                                     << "192.168.0.121"
                                     << "15000";
        QTest::newRow("201_web_port") << "192.168.0.242"
                                      << "192.168.0.242"
                                      << "8081";
    }
    void changeAndSearchAgain()
    {
        QFETCH(QString, device);
        QFETCH(QString, newIp);
        QFETCH(QString, newPort);
        DevsimProcess sim;
        QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet}));
        ToolSide tool;
        QVERIFY(tool.open());
        QHash<QString, deviceReply> listed = tool.search(6);
        QVERIFY(listed.contains(device));
        deviceReply record = listed.value(device);
        const NetForm form{newIp,
                           newPort,
                           record.mask,
                           record.gateway,
                           record.dstIpv4,
                           record.dstPort,
                           record.sn,
                           QStringLiteral("admin"),
                           QStringLiteral("888888")};
        const TradePlan plan = planTrades(form, record, record.ipv4);
        QVERIFY(!plan.trades.empty());
        for (const Trade &trade : plan.trades)
            QCOMPARE(tool.trade(record, trade.request), Result::Accepted);

        listed = tool.search(6);
        QVERIFY2(listed.contains(newIp), qPrintable(listed.keys().join(QLatin1Char(' '))));
        QCOMPARE(listed.value(newIp).ipv4, newIp);
        QCOMPARE(listed.value(newIp).port, newPort);
        QCOMPARE(listed.value(newIp).mac, record.mac);
        if (newIp != device)
            QVERIFY(!listed.contains(device));
        // A device with a web interface serves it where it now is.
        if (listed.value(newIp).fw.size() >= 5)
            QCOMPARE(webLogin(newIp, newPort), QStringLiteral("OK"));
    }

    void wrongPasswordRefused_data()
    {
        QTest::addColumn<QString>("device");
        QTest::newRow("407enc") << "192.168.0.41";
        QTest::newRow("201") << "192.168.0.21";
    }
    void wrongPasswordRefused()
    {
        QFETCH(QString, device);
        DevsimProcess sim;
        QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet}));
        ToolSide tool;
        QVERIFY(tool.open());
        deviceReply record = tool.search(6).value(device);
        QCOMPARE(record.ipv4, device);
        const NetForm form{record.ipv4,    QStringLiteral("15999"), record.mask,
                           record.gateway, record.dstIpv4,          record.dstPort,
                           record.sn,      QStringLiteral("admin"), QStringLiteral("wrong")};
        const TradePlan plan = planTrades(form, record, record.ipv4);
        QVERIFY(!plan.trades.empty());
        QCOMPARE(tool.trade(record, plan.trades.front().request), Result::Refused);
        // Not logged in: the settings that follow are refused too.
        QCOMPARE(tool.trade(record, plan.trades.at(1).request), Result::Refused);
        QCOMPARE(tool.search(6).value(device).port, record.port);
    }
};

QTEST_GUILESS_MAIN(tst_DevsimTrades)
#include "tst_devsimtrades.moc"
