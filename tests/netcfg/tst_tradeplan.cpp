#include "crypto/credentialcipher.h"
#include "netcfg/tradeframes.h"
#include "netcfg/tradeplan.h"

#include <QtTest>

namespace {

deviceReply record(int protocol)
{
    deviceReply r;
    r.protocol = protocol;
    r.mac = "00:1A:2B:3C:4D:5E";
    r.ipv4 = "192.168.0.50";
    r.port = "15000";
    r.mask = "255.255.255.0";
    r.gateway = "192.168.0.254";
    r.dstIpv4 = "192.168.0.200";
    r.dstPort = "9000";
    return r;
}

NetForm formOf(const deviceReply &r)
{
    return NetForm{r.ipv4, r.port, r.mask, r.gateway, r.dstIpv4, r.dstPort, "1", "admin", "888888"};
}

QString codes(const TradePlan &plan)
{
    QStringList list;
    for (const Trade &t : plan.trades)
        list << QString::number(t.code, 16);
    return list.join(',');
}

} // namespace

class tst_TradePlan : public QObject
{
    Q_OBJECT
private slots:
    void slotPlan_data();
    void slotPlan();
    void plainGatewayChange();
    void multicastPortChange();
    void framedDevice();
    void refusedValues_data();
    void refusedValues();
};

void tst_TradePlan::slotPlan_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("codes");
    QTest::newRow("plain_gateway") << 1 << "gateway" << "4c,5,7,9,8,a,b,52";
    QTest::newRow("framed_gateway") << 2 << "gateway" << "4c,5,7,9,8,a,b,52,45";
    QTest::newRow("multicast_port") << 3 << "port" << "4c,7,52";
    QTest::newRow("multicast_server_port") << 3 << "dstPort" << "4c,b,52";
    QTest::newRow("multicast_unknown_family") << 0 << "mask" << "4c,9,52";
    QTest::newRow("plain_nothing") << 1 << "" << "";
    QTest::newRow("multicast_nothing") << 3 << "" << "";
}

void tst_TradePlan::slotPlan()
{
    QFETCH(int, protocol);
    QFETCH(QString, field);
    QFETCH(QString, codes);
    const deviceReply r = record(protocol);
    NetForm form = formOf(r);
    if (field == "gateway")
        form.gateway = "192.168.0.1";
    else if (field == "port")
        form.port = "8000";
    else if (field == "dstPort")
        form.dstPort = "9001";
    else if (field == "mask")
        form.mask = "255.255.0.0";
    const TradePlan plan = planTrades(form, r, r.ipv4);
    QCOMPARE(::codes(plan), codes);
    QVERIFY(plan.refusedField.isEmpty());
}

void tst_TradePlan::plainGatewayChange()
{
    const deviceReply r = record(1);
    NetForm form = formOf(r);
    form.gateway = "192.168.0.1";
    const TradePlan plan = planTrades(form, r, r.ipv4);
    QStringList frames;
    for (const Trade &t : plan.trades)
        frames << t.request.toHex();
    QCOMPARE(frames, QStringList({"4c5652454c414ec0a80032", "5005c0a80032", "50073a98", "5009ffffff00",
                                  "5008c0a80001", "500ac0a800c8", "500b2328", "5256524" "54c414e"}));
    QCOMPARE(plan.settingCount, 6);
    QVERIFY(plan.dstMac.isEmpty());
}

void tst_TradePlan::multicastPortChange()
{
    const deviceReply r = record(3);
    NetForm form = formOf(r);
    form.port = "8000";
    const TradePlan plan = planTrades(form, r, r.ipv4);
    QCOMPARE(plan.dstMac, QStringLiteral("001a2b3c4d5e"));
    QCOMPARE(int(plan.trades.size()), 3);
    const QByteArray login = plan.trades[0].request;
    QCOMPARE(login.size(), 77);
    QCOMPARE(login.mid(1, 32), credentialcipher::encrypt("admin", "kwvo7314"));
    QCOMPARE(login.mid(33, 32), credentialcipher::encrypt("888888", "kwvo7314"));
    QCOMPARE(login.right(12).toHex(), QByteArray("001a2b3c4d5e001a2b3c4d5e"));
    QCOMPARE(plan.trades[1].request.toHex(), QByteArray("50071f40001a2b3c4d5e"));
    QCOMPARE(plan.trades[2].request.toHex(), QByteArray("5256524" "54c414e001a2b3c4d5e"));
}

void tst_TradePlan::framedDevice()
{
    const deviceReply r = record(2);
    NetForm form = formOf(r);
    form.ipv4 = "192.168.0.51";
    form.sn = "4660";
    form.user = "admin";
    const TradePlan plan = planTrades(form, r, r.ipv4);
    QCOMPARE(int(plan.trades.size()), 9);
    const QByteArray login = plan.trades[0].request;
    QCOMPARE(login.size(), 41);
    QCOMPARE(login.mid(6, 16), QByteArray("admin") + QByteArray(11, '\0'));
    QCOMPARE(quint8(login[40]), quint8(0xb7));
    QCOMPARE(int(quint8(login[38])) << 8 | quint8(login[39]), int(tradeframes::checksum(login, 1, 37)));
    // The restart names the device itself, whatever other device was configured before.
    QCOMPARE(plan.trades[7].request.toHex(), QByteArray("5256524" "54c414e001a2b3c4d5e"));
    QCOMPARE(plan.trades[8].request.toHex(), QByteArray("b701123401000048b7"));
    QVERIFY(plan.dstMac.isEmpty());
}

void tst_TradePlan::refusedValues_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("named");
    QTest::newRow("ip_part_over") << 1 << "ipv4" << "192.168.0.300" << "IP地址";
    QTest::newRow("port_over") << 2 << "port" << "70000" << "端口号";
    QTest::newRow("server_port_over_multicast") << 3 << "dstPort" << "65536" << "服务器端口号";
    QTest::newRow("serial_negative") << 2 << "sn" << "-5" << "SN";
    QTest::newRow("serial_over") << 2 << "sn" << "70000" << "SN";
    QTest::newRow("user_utf8_over_16") << 2 << "user" << "管理员管理员" << "用户名";
    QTest::newRow("password_over_31") << 3 << "password" << "密码密码密码密码密码密码" << "密码";
}

void tst_TradePlan::refusedValues()
{
    QFETCH(int, protocol);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, named);
    const deviceReply r = record(protocol);
    NetForm form = formOf(r);
    form.gateway = "192.168.0.1"; // something changed
    if (field == "ipv4") form.ipv4 = value;
    if (field == "port") form.port = value;
    if (field == "dstPort") form.dstPort = value;
    if (field == "sn") form.sn = value;
    if (field == "user") form.user = value;
    if (field == "password") form.password = value;
    const TradePlan plan = planTrades(form, r, r.ipv4);
    QVERIFY(plan.trades.empty());
    QCOMPARE(plan.refusedField, named);
}

QTEST_GUILESS_MAIN(tst_TradePlan)
#include "tst_tradeplan.moc"
