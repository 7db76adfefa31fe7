#include "crypto/credentialcipher.h"
#include "devsim/searchreplies.h"
#include "devsim/tradesession.h"
#include "discovery/reply201.h"
#include "discovery/reply407.h"
#include "netcfg/tradeframes.h"
#include "netcfg/tradeplan.h"

#include <QHostAddress>
#include <QtTest>

Q_DECLARE_METATYPE(Family)

namespace {

quint32 ip(const char *text)
{
    return QHostAddress(QLatin1String(text)).toIPv4Address();
}
QString dotted(quint32 address)
{
    return QHostAddress(address).toString();
}

SimDevice device(Family family)
{
    SimDevice d;
    d.family = family;
    d.mac = QByteArray::fromHex("001a2b3c4d5e");
    d.net = {ip("192.168.0.50"), 15000, ip("255.255.255.0"), ip("192.168.0.1"), ip("192.168.0.200"), 9000};
    d.productCode = 0x7100;
    d.doors = 2;
    d.serial = family == Family::Old201 ? QStringLiteral("A1234") : QStringLiteral("4660");
    d.udpUser = QStringLiteral("admin");
    d.udpPassword = QStringLiteral("888888");
    return d;
}

// The device as the tool lists it after a search.
deviceReply listed(const SimDevice &d)
{
    deviceReply record;
    if (d.family == Family::Old201) {
        reply201::decode(searchreplies::reply201(d), record);
        record.protocol = 3;
    } else {
        reply407::decode(searchreplies::reply407(d), record);
        record.protocol = d.family == Family::Plain407 ? 1 : 2;
    }
    return record;
}

NetForm formOf(const deviceReply &r)
{
    return {r.ipv4,
            r.port,
            r.mask,
            r.gateway,
            r.dstIpv4,
            r.dstPort,
            r.sn,
            QStringLiteral("admin"),
            QStringLiteral("888888")};
}

bool accepted(Family family, const QByteArray &reply)
{
    if (reply.isEmpty())
        return false;
    if (family == Family::Encrypted407)
        return reply[0] == 'A' ||
               (reply.size() > 6 && quint8(reply[0]) == 0xB7 && reply[5] == 0x05 && reply[6] == '3');
    return reply[0] == 'A';
}

bool sameNet(const NetSettings &a, const NetSettings &b)
{
    return a.ip == b.ip && a.port == b.port && a.mask == b.mask && a.gateway == b.gateway &&
           a.serverIp == b.serverIp && a.serverPort == b.serverPort;
}

const QByteArray kMac = QByteArray::fromHex("001a2b3c4d5e");
const QByteArray kOtherMac = QByteArray::fromHex("001a2b3c4d5f");

} // namespace

class tst_TradeSession : public QObject
{
    Q_OBJECT

private slots:
    // The tool's whole transaction, as its planner builds it, changes the device at restart only.
    void transaction_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        for (const auto &[name, family] :
             {std::pair{"407", Family::Plain407}, std::pair{"407enc", Family::Encrypted407},
              std::pair{"201", Family::Old201}}) {
            auto row = [&, name = name, family = family](const char *field, const char *value) {
                QTest::newRow(
                    qPrintable(QStringLiteral("%1_%2").arg(QLatin1String(name), QLatin1String(field))))
                    << family << QString::fromLatin1(field) << QString::fromLatin1(value);
            };
            row("ipv4", "192.168.3.77");
            row("port", "8000");
            row("mask", "255.255.0.0");
            row("gateway", "192.168.0.254");
            row("dstIp", "10.1.2.3");
            row("dstPort", "60001");
        }
    }
    void transaction()
    {
        QFETCH(Family, family);
        QFETCH(QString, field);
        QFETCH(QString, value);
        SimDevice d = device(family);
        const SimDevice original = d;
        const deviceReply record = listed(d);
        NetForm form = formOf(record);
        static const QHash<QString, QString NetForm::*> fields = {
            {"ipv4", &NetForm::ipv4},       {"port", &NetForm::port},   {"mask", &NetForm::mask},
            {"gateway", &NetForm::gateway}, {"dstIp", &NetForm::dstIp}, {"dstPort", &NetForm::dstPort}};
        form.*fields.value(field) = value;
        const TradePlan plan = planTrades(form, record, record.ipv4);
        QVERIFY(!plan.trades.empty());

        TradeSession session;
        bool restarted = false;
        for (const Trade &trade : plan.trades) {
            const TradeSession::Outcome outcome = session.handle(d, trade.request, restarted);
            QVERIFY2(outcome.answered, qPrintable(trade.request.toHex()));
            QVERIFY2(accepted(family, outcome.reply),
                     qPrintable(trade.request.toHex() + " -> " + outcome.reply.toHex()));
            if (family == Family::Old201)
                QCOMPARE(outcome.reply.mid(1), kMac);
            else if (family == Family::Plain407)
                QCOMPARE(outcome.reply.size(), 1);
            if (!restarted && !outcome.restarted)
                QVERIFY(sameNet(d.net, original.net));
            restarted = restarted || outcome.restarted;
        }
        QVERIFY(restarted);
        QVERIFY(!session.isLoggedIn());
        const NetForm now{dotted(d.net.ip),
                          QString::number(d.net.port),
                          dotted(d.net.mask),
                          dotted(d.net.gateway),
                          dotted(d.net.serverIp),
                          QString::number(d.net.serverPort),
                          {},
                          {},
                          {}};
        QCOMPARE(now.*fields.value(field), value);
        // The new values are what the next search reports.
        NetForm after = formOf(listed(d));
        QCOMPARE(after.*fields.value(field), value);
    }

    void plainLogin_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("own_address") << tradeframes::loginPlain(QByteArray::fromHex("c0a80032"))
                                     << QByteArray("A");
        QTest::newRow("other_address")
            << tradeframes::loginPlain(QByteArray::fromHex("c0a80033")) << QByteArray("N");
        QTest::newRow("short") << tradeframes::loginPlain(QByteArray::fromHex("c0a800")) << QByteArray("N");
        QTest::newRow("marker_wrong") << QByteArray::fromHex("4c5652454c414fc0a80032") << QByteArray("N");
        QTest::newRow("setting_first")
            << tradeframes::settingTrade(tradeframes::kSetPort, QByteArray::fromHex("1f40"), {})
            << QByteArray("N");
        QTest::newRow("logout_first") << tradeframes::logoutRestart({}) << QByteArray("N");
    }
    void plainLogin()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, reply);
        SimDevice d = device(Family::Plain407);
        TradeSession session;
        const TradeSession::Outcome outcome = session.handle(d, request);
        QVERIFY(outcome.answered);
        QCOMPARE(outcome.reply, reply);
        QVERIFY(!outcome.restarted);
    }

    void framedLogin_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<bool>("ok");
        const QByteArray serial = QByteArray::fromHex("1234");
        const QByteArray user = *tradeframes::clearCredential(QStringLiteral("admin"));
        const QByteArray password = *tradeframes::clearCredential(QStringLiteral("888888"));
        QTest::newRow("good") << tradeframes::loginFramed(serial, user, password) << true;
        QTest::newRow("wrong_password")
            << tradeframes::loginFramed(serial, user, *tradeframes::clearCredential(QStringLiteral("888889")))
            << false;
        QTest::newRow("wrong_user") << tradeframes::loginFramed(
                                           serial, *tradeframes::clearCredential(QStringLiteral("root")),
                                           password)
                                    << false;
        QTest::newRow("wrong_serial")
            << tradeframes::loginFramed(QByteArray::fromHex("1235"), user, password) << false;
        QByteArray broken = tradeframes::loginFramed(serial, user, password);
        broken[39] = char(broken[39] ^ 1);
        QTest::newRow("bad_checksum") << broken << false;
    }
    void framedLogin()
    {
        QFETCH(QByteArray, request);
        QFETCH(bool, ok);
        SimDevice d = device(Family::Encrypted407);
        TradeSession session;
        const TradeSession::Outcome outcome = session.handle(d, request);
        QVERIFY(outcome.answered);
        QCOMPARE(accepted(Family::Encrypted407, outcome.reply), ok);
        QCOMPARE(session.isLoggedIn(), ok);
        QVERIFY(outcome.reply.size() <= 16); // fits a 68-byte frame
    }

    // Encrypted-family replies keep the frame shape B7 01 serial kind 05 result checksum B7.
    void framedReplyBytes()
    {
        SimDevice d = device(Family::Encrypted407);
        TradeSession session;
        const TradeSession::Outcome outcome =
            session.handle(d, tradeframes::signOff(QByteArray::fromHex("1234")));
        // 01+12+34+01+05+33 = 0x80
        QCOMPARE(outcome.reply, QByteArray::fromHex("b70112340105330080b7"));
    }

    void oldLogin_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("mac");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<bool>("ok");
        QTest::newRow("good") << "admin"
                              << "888888" << kMac << true << true;
        QTest::newRow("wrong_password") << "admin"
                                        << "123456" << kMac << true << false;
        QTest::newRow("wrong_user") << "root"
                                    << "888888" << kMac << true << false;
        QTest::newRow("other_device") << "admin"
                                      << "888888" << kOtherMac << false << false;
    }
    void oldLogin()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QByteArray, mac);
        QFETCH(bool, answered);
        QFETCH(bool, ok);
        SimDevice d = device(Family::Old201);
        TradeSession session;
        const QByteArray key(tradeframes::kCredentialKey);
        const TradeSession::Outcome outcome = session.handle(
            d, tradeframes::loginEncrypted(credentialcipher::encrypt(user.toUtf8(), key),
                                           credentialcipher::encrypt(password.toUtf8(), key), mac));
        QCOMPARE(outcome.answered, answered);
        QCOMPARE(session.isLoggedIn(), ok);
        if (answered)
            QCOMPARE(outcome.reply, QByteArray(1, ok ? 'A' : 'N') + kMac);
    }

    // After a good login: what each family refuses or ignores.
    void afterLogin_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<bool>("ok");
        QTest::newRow("407_unknown_code")
            << Family::Plain407 << QByteArray::fromHex("500cc0a80001") << true << false;
        QTest::newRow("407_address_too_long")
            << Family::Plain407 << QByteArray::fromHex("5005c0a8000101") << true << false;
        QTest::newRow("407_port_as_address")
            << Family::Plain407 << QByteArray::fromHex("5007c0a80001") << true << false;
        QTest::newRow("407_forbidden_ip")
            << Family::Plain407 << QByteArray::fromHex("5005c0a8000a") << true << false;
        QTest::newRow("407_zero_ip") << Family::Plain407 << QByteArray::fromHex("500500000000") << true
                                     << false;
        QTest::newRow("407_gateway") << Family::Plain407 << QByteArray::fromHex("5008c0a80001") << true
                                     << true;
        QTest::newRow("407enc_logout_own_mac")
            << Family::Encrypted407 << tradeframes::logoutRestart(kMac) << true << true;
        QTest::newRow("407enc_logout_bare")
            << Family::Encrypted407 << tradeframes::logoutRestart({}) << true << true;
        QTest::newRow("407enc_logout_other_mac")
            << Family::Encrypted407 << tradeframes::logoutRestart(kOtherMac) << true << false;
        QTest::newRow("201_setting_other_mac")
            << Family::Old201
            << tradeframes::settingTrade(tradeframes::kSetPort, QByteArray::fromHex("1f40"), kOtherMac)
            << false << false;
        QTest::newRow("201_setting_own_mac")
            << Family::Old201
            << tradeframes::settingTrade(tradeframes::kSetPort, QByteArray::fromHex("1f40"), kMac) << true
            << true;
        QTest::newRow("201_setting_no_mac")
            << Family::Old201
            << tradeframes::settingTrade(tradeframes::kSetIpv4, QByteArray::fromHex("c0a80001"), {}) << false
            << false;
    }
    void afterLogin()
    {
        QFETCH(Family, family);
        QFETCH(QByteArray, request);
        QFETCH(bool, answered);
        QFETCH(bool, ok);
        SimDevice d = device(family);
        const deviceReply record = listed(d);
        NetForm form = formOf(record);
        form.port = QStringLiteral("8000");
        TradeSession session({ip("192.168.0.10")});
        QVERIFY(accepted(
            family, session.handle(d, planTrades(form, record, record.ipv4).trades.front().request).reply));
        const TradeSession::Outcome outcome = session.handle(d, request);
        QCOMPARE(outcome.answered, answered);
        if (answered)
            QCOMPARE(accepted(family, outcome.reply), ok);
    }

    void signOffOnlyAtOldAddress_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<bool>("answered");
        QTest::newRow("sign_off") << tradeframes::signOff(QByteArray::fromHex("1234")) << true;
        QTest::newRow("login") << tradeframes::loginFramed(
                                      QByteArray::fromHex("1234"),
                                      *tradeframes::clearCredential(QStringLiteral("admin")),
                                      *tradeframes::clearCredential(QStringLiteral("888888")))
                               << false;
        QTest::newRow("setting") << tradeframes::settingTrade(tradeframes::kSetPort,
                                                              QByteArray::fromHex("1f40"), {})
                                 << false;
    }
    void signOffOnlyAtOldAddress()
    {
        QFETCH(QByteArray, request);
        QFETCH(bool, answered);
        SimDevice d = device(Family::Encrypted407);
        TradeSession session;
        QCOMPARE(session.handle(d, request, true).answered, answered);
    }
};

QTEST_GUILESS_MAIN(tst_TradeSession)
#include "tst_tradesession.moc"
