#include "netcfg/tradeplan.h"

#include <QtTest>

namespace {

// A device listed at 192.168.0.50:15000, as the decoders fill its record.
deviceReply listedDevice(int protocol)
{
    deviceReply r;
    r.protocol = DeviceFamily(protocol);
    r.mac = QStringLiteral("00:1A:2B:3C:4D:5E");
    r.ipv4 = QStringLiteral("192.168.0.50");
    r.port = QStringLiteral("15000");
    r.mask = QStringLiteral("255.255.255.0");
    r.gateway = QStringLiteral("192.168.0.254");
    r.dstIpv4 = QStringLiteral("192.168.0.200");
    r.dstPort = QStringLiteral("9000");
    return r;
}

// The form as the record fills it, with the credentials typed and the edits "field=value" made.
NetForm editedForm(const deviceReply &r, const QStringList &edits)
{
    NetForm form{r.ipv4,
                 r.port,
                 r.mask,
                 r.gateway,
                 r.dstIpv4,
                 r.dstPort,
                 QStringLiteral("4660"),
                 QStringLiteral("admin"),
                 QStringLiteral("888888")};
    const QHash<QString, QString NetForm::*> fields = {
        {"ipv4", &NetForm::ipv4},       {"port", &NetForm::port},   {"mask", &NetForm::mask},
        {"gateway", &NetForm::gateway}, {"dstIp", &NetForm::dstIp}, {"dstPort", &NetForm::dstPort},
        {"sn", &NetForm::sn},           {"user", &NetForm::user},   {"password", &NetForm::password}};
    for (const QString &edit : edits)
        form.*fields.value(edit.section(QLatin1Char('='), 0, 0)) = edit.section(QLatin1Char('='), 1);
    return form;
}

} // namespace

class tst_TradePlan : public QObject
{
    Q_OBJECT
private slots:
    void plan_data();
    void plan();
};

void tst_TradePlan::plan_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QByteArrayList>("requests"); // hex, in sending order
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QString>("refused");

    const QByteArray login77 = "4c"
                               "0d85d38d36fe901a78f8935b647ffd6678f8935b647ffd6678f8935b647ffd66"
                               "82bb7e27ea960aff78f8935b647ffd6678f8935b647ffd6678f8935b647ffd66"
                               "001a2b3c4d5e001a2b3c4d5e";
    const QByteArray credentials16 = "61646d696e0000000000000000000000"
                                     "38383838383800000000000000000000";
    // clang-format off
    QTest::newRow("plain_gateway_sends_all_six")
        << 1 << QStringList{"gateway=192.168.0.1"}
        << QByteArrayList{"4c5652454c414ec0a80032", "5005c0a80032", "50073a98", "5009ffffff00", "5008c0a80001",
                          "500ac0a800c8", "500b2328", "525652454c414e"}
        << QList<int>{76, 5, 7, 9, 8, 10, 11, 82} << QString();
    QTest::newRow("framed_gateway_ends_with_sign_off")
        << 2 << QStringList{"gateway=192.168.0.1"}
        << QByteArrayList{"b701123421ff" + credentials16 + "04c0b7", "5005c0a80032", "50073a98", "5009ffffff00",
                          "5008c0a80001", "500ac0a800c8", "500b2328", "525652454c414e001a2b3c4d5e",
                          "b701123401000048b7"}
        << QList<int>{76, 5, 7, 9, 8, 10, 11, 82, 69} << QString();
    QTest::newRow("multicast_port_alone")
        << 3 << QStringList{"port=8000"}
        << QByteArrayList{login77, "50071f40001a2b3c4d5e", "525652454c414e001a2b3c4d5e"}
        << QList<int>{76, 7, 82} << QString();
    QTest::newRow("multicast_two_fields_in_slot_order")
        << 3 << QStringList{"dstPort=9001", "ipv4=192.168.0.51"}
        << QByteArrayList{login77, "5005c0a80033001a2b3c4d5e", "500b2329001a2b3c4d5e", "525652454c414e001a2b3c4d5e"}
        << QList<int>{76, 5, 11, 82} << QString();
    QTest::newRow("nothing_changed") << 1 << QStringList{} << QByteArrayList{} << QList<int>{} << QString();
    QTest::newRow("credentials_alone_change_nothing")
        << 3 << QStringList{"user=root"} << QByteArrayList{} << QList<int>{} << QString();
    QTest::newRow("port_over_range") << 1 << QStringList{"port=65536"} << QByteArrayList{} << QList<int>{} << "端口号";
    QTest::newRow("address_part_over_255")
        << 3 << QStringList{"mask=255.255.256.0"} << QByteArrayList{} << QList<int>{} << "掩码";
    QTest::newRow("framed_serial_over_range")
        << 2 << QStringList{"port=1", "sn=65536"} << QByteArrayList{} << QList<int>{} << "SN";
    QTest::newRow("framed_user_17_bytes")
        << 2 << QStringList{"port=1", "user=administrator1234"} << QByteArrayList{} << QList<int>{} << "用户名";
    QTest::newRow("multicast_password_32_bytes")
        << 3 << QStringList{"port=1", "password=0123456789abcdef0123456789abcdef"} << QByteArrayList{}
        << QList<int>{} << "密码";
    // clang-format on
}

void tst_TradePlan::plan()
{
    QFETCH(int, protocol);
    QFETCH(QStringList, edits);
    QFETCH(QByteArrayList, requests);
    QFETCH(QList<int>, codes);
    const deviceReply record = listedDevice(protocol);
    const TradePlan plan = planTrades(editedForm(record, edits), record, record.ipv4);
    QByteArrayList sent;
    QList<int> sentCodes;
    for (const Trade &trade : plan.trades) {
        sent << trade.request.toHex();
        sentCodes << trade.code;
    }
    QCOMPARE(sent, requests);
    QCOMPARE(sentCodes, codes);
    QTEST(plan.refusedField, "refused");
    if (!plan.trades.empty())
        QCOMPARE(plan.dstMac, protocol == 3 ? QStringLiteral("001a2b3c4d5e") : QString());
}

QTEST_GUILESS_MAIN(tst_TradePlan)
#include "tst_tradeplan.moc"
