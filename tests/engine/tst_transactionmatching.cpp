#include "discovery/intake.h"
#include "engine/configtransaction.h"
#include "engine/tradelink.h"
#include "netcfg/tradeplan.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

struct Sent
{
    QByteArray datagram;
    QHostAddress to;
    quint16 port;
};

class RecordingLink : public TradeLink
{
public:
    bool sendTrade(const QByteArray &datagram, const QHostAddress &to, quint16 port) override
    {
        sent.push_back({datagram, to, port});
        return working;
    }
    std::vector<Sent> sent;
    bool working = true;
};

const QByteArray kSnid = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");

deviceReply device(DeviceFamily family, const QString &mac, const QString &ipv4)
{
    deviceReply record;
    record.protocol = family;
    record.mac = mac;
    record.ipv4 = ipv4;
    record.port = QStringLiteral("15000");
    record.mask = QStringLiteral("255.255.255.0");
    record.gateway = QStringLiteral("192.168.0.1");
    record.dstIpv4 = QStringLiteral("192.168.0.200");
    record.dstPort = QStringLiteral("9000");
    std::copy(kSnid.begin(), kSnid.end(), record.SNID);
    const QByteArray txid = QByteArray::fromHex("00000000000000fe");
    std::copy(txid.begin(), txid.end(), record.TXID);
    return record;
}

// The port changed to 15123: login, the settings, the closing trades.
TradePlan portChange(const deviceReply &record)
{
    const NetForm form{record.ipv4,
                       QStringLiteral("15123"),
                       record.mask,
                       record.gateway,
                       record.dstIpv4,
                       record.dstPort,
                       QStringLiteral("4101"),
                       QStringLiteral("admin"),
                       QStringLiteral("888888")};
    return planTrades(form, record, record.ipv4);
}

framecipher::DeviceId deviceId(const QByteArray &bytes)
{
    framecipher::DeviceId id{};
    std::copy(bytes.begin(), bytes.end(), id.begin());
    return id;
}

intake::Classified tradeReply(DeviceFamily family, bool accepted)
{
    intake::Classified reply;
    reply.kind = intake::Kind::TradeReply;
    reply.family = family;
    reply.accepted = accepted;
    return reply;
}

} // namespace

// A transaction takes only the answers of its own device, keeps the order of its trades and
// ends as the results say; driven by hand, without sockets or timers.
class tst_TransactionMatching : public QObject
{
    Q_OBJECT

private slots:
    void offer_data();
    void offer();
    void laterTimeOutGoesOn();
    void abortEndsAtWaitingTrade();
    void unsentTradesCountRefused();
};

void tst_TransactionMatching::offer_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<int>("replyFamily");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("replyMac");
    QTest::addColumn<QByteArray>("replySnid");
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("port");

    const int plain = int(DeviceFamily::Plain407), framed = int(DeviceFamily::Encrypted407),
              group = int(DeviceFamily::Reply201);
    const int waiting = int(TradeResult::Waiting), accepted = int(TradeResult::Accepted),
              refused = int(TradeResult::Refused);
    const QString mac = QStringLiteral("02:51:00:00:00:2A");
    const QString own = QStringLiteral("192.168.0.31"), other = QStringLiteral("192.168.0.32");
    const QString groupAddress = QStringLiteral("239.255.255.250");
    const QByteArray foreignSnid = QByteArray::fromHex("a0a1a2a3a4a5a6a7a8a9aaabacadaeaf");
    const QByteArray none;

    QTest::newRow("plain_from_device")
        << plain << mac << plain << true << "" << none << own << accepted << own << 15000;
    QTest::newRow("plain_refused") << plain << mac << plain << false << "" << none << own << refused << own
                                   << 15000;
    QTest::newRow("plain_mapped_address")
        << plain << mac << plain << true << "" << none << "::ffff:192.168.0.31" << accepted << own << 15000;
    QTest::newRow("plain_from_other_host")
        << plain << mac << plain << true << "" << none << other << waiting << own << 15000;
    QTest::newRow("frame_while_plain_waits")
        << plain << mac << framed << true << "" << kSnid << own << waiting << own << 15000;
    QTest::newRow("group_own_mac") << group << mac << group << true << "02510000002a" << none << other
                                   << accepted << groupAddress << 15367;
    QTest::newRow("group_own_mac_refused") << group << mac << group << false << "02510000002a" << none
                                           << other << refused << groupAddress << 15367;
    QTest::newRow("group_upper_case_mac") << group << mac << group << true << "02510000002A" << none << other
                                          << waiting << groupAddress << 15367;
    QTest::newRow("group_other_mac") << group << mac << group << true << "02510000002b" << none << own
                                     << waiting << groupAddress << 15367;
    QTest::newRow("framed_own_snid") << framed << mac << framed << true << "" << kSnid << own << accepted
                                     << own << 15000;
    QTest::newRow("framed_foreign_snid")
        << framed << mac << framed << true << "" << foreignSnid << own << waiting << own << 15000;
    QTest::newRow("framed_not_decrypted")
        << framed << mac << framed << true << "" << none << own << waiting << own << 15000;
    QTest::newRow("framed_from_other_host")
        << framed << mac << framed << true << "" << kSnid << other << waiting << own << 15000;
    QTest::newRow("plain_answer_while_framed_waits")
        << framed << mac << plain << true << "" << none << own << waiting << own << 15000;
}

void tst_TransactionMatching::offer()
{
    QFETCH(int, family);
    QFETCH(QString, mac);
    QFETCH(int, replyFamily);
    QFETCH(bool, accepted);
    QFETCH(QString, replyMac);
    QFETCH(QByteArray, replySnid);
    QFETCH(QString, from);
    QFETCH(int, result);
    QFETCH(QString, to);
    QFETCH(int, port);

    RecordingLink link;
    const deviceReply record = device(DeviceFamily(family), mac, QStringLiteral("192.168.0.31"));
    ConfigTransaction transaction(link, record, portChange(record), QHostAddress(record.ipv4), 15000);
    transaction.start();
    QCOMPARE(link.sent.size(), std::size_t(1));
    QCOMPARE(link.sent[0].to, QHostAddress(to));
    QCOMPARE(int(link.sent[0].port), port);

    intake::Classified reply = tradeReply(DeviceFamily(replyFamily), accepted);
    reply.mac = replyMac;
    reply.hasIds = !replySnid.isEmpty();
    reply.snid = deviceId(replySnid);
    const bool taken = transaction.offer(reply, QHostAddress(from));

    QCOMPARE(taken, result != int(TradeResult::Waiting));
    QCOMPARE(int(transaction.results().at(0)), result);
    // A taken answer, whatever it says, lets the next trade go out.
    QCOMPARE(link.sent.size(), std::size_t(taken ? 2 : 1));
    QCOMPARE(transaction.waitingSlot(), taken ? 1 : 0);
}

void tst_TransactionMatching::laterTimeOutGoesOn()
{
    RecordingLink link;
    const deviceReply record = device(DeviceFamily::Plain407, "02:51:00:00:00:31", "192.168.0.31");
    ConfigTransaction transaction(link, record, portChange(record), QHostAddress(record.ipv4), 15000);
    transaction.start();
    QVERIFY(transaction.offer(tradeReply(DeviceFamily::Plain407, true), QHostAddress(record.ipv4)));
    transaction.expireWaitingTrade();
    QVERIFY(transaction.offer(tradeReply(DeviceFamily::Plain407, false), QHostAddress(record.ipv4)));
    QCOMPARE(transaction.results(), (std::vector<TradeResult>{TradeResult::Accepted, TradeResult::TimedOut,
                                                              TradeResult::Refused, TradeResult::Waiting}));
    QCOMPARE(transaction.failedLabels(), QStringLiteral("IP地址 端口号 "));
    QCOMPARE(link.sent.size(), std::size_t(4));
    QVERIFY(!transaction.isFinished());
}

void tst_TransactionMatching::abortEndsAtWaitingTrade()
{
    RecordingLink link;
    const deviceReply record = device(DeviceFamily::Reply201, "02:51:00:00:00:21", "192.168.0.21");
    ConfigTransaction transaction(link, record, portChange(record), QHostAddress(record.ipv4), 15000);
    QSignalSpy finished(&transaction, &ConfigTransaction::finished);
    QSignalSpy tradeFinished(&transaction, &ConfigTransaction::tradeFinished);
    transaction.start();
    intake::Classified reply = tradeReply(DeviceFamily::Reply201, true);
    reply.mac = QStringLiteral("025100000021");
    QVERIFY(transaction.offer(reply, QHostAddress(record.ipv4)));
    transaction.abort();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(transaction.results(), (std::vector<TradeResult>{TradeResult::Accepted, TradeResult::TimedOut}));
    QCOMPARE(tradeFinished.size(), 2);
    QCOMPARE(tradeFinished.at(1).at(1).toInt(), 7);
    QCOMPARE(tradeFinished.at(1).at(2).value<TradeResult>(), TradeResult::TimedOut);
    QCOMPARE(link.sent.size(), std::size_t(2));
    QVERIFY(!transaction.offer(reply, QHostAddress(record.ipv4)));
}

void tst_TransactionMatching::unsentTradesCountRefused()
{
    RecordingLink link;
    link.working = false;
    const deviceReply record = device(DeviceFamily::Encrypted407, "02:51:00:00:00:41", "192.168.0.41");
    ConfigTransaction transaction(link, record, portChange(record), QHostAddress(record.ipv4), 15000);
    QSignalSpy finished(&transaction, &ConfigTransaction::finished);
    transaction.start();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(transaction.results(), std::vector<TradeResult>(9, TradeResult::Refused));
    QCOMPARE(transaction.failedLabels(),
             QStringLiteral("登录 IP地址 端口号 掩码 网关 服务器IP 服务器端口号 登出/重启 签退 "));
}

QTEST_GUILESS_MAIN(tst_TransactionMatching)
#include "tst_transactionmatching.moc"
