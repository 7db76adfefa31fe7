#include "crypto/credentialcipher.h"
#include "netcfg/tradeframes.h"

#include <QtTest>

using namespace tradeframes;

namespace {
QByteArray hex(const char *text) { return QByteArray::fromHex(text); }
}

class tst_TradeFrames : public QObject
{
    Q_OBJECT
private slots:
    void fields_data();
    void fields();
    void frames_data();
    void frames();
    void targetMacText_data();
    void targetMacText();
    void labels();
};

void tst_TradeFrames::fields_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ipv4") << "ipv4" << "192.168.1.10" << true << hex("c0a8010a");
    QTest::newRow("ipv4_empty_boxes") << "ipv4" << "10..0." << true << hex("0a000000");
    QTest::newRow("ipv4_fresh_editor") << "ipv4" << "..." << true << hex("00000000");
    QTest::newRow("ipv4_part_256") << "ipv4" << "192.168.1.256" << false << QByteArray();
    QTest::newRow("ipv4_three_parts") << "ipv4" << "192.168.1" << false << QByteArray();
    QTest::newRow("ipv4_sign") << "ipv4" << "192.-1.1.1" << false << QByteArray();
    QTest::newRow("port_8000") << "port" << "8000" << true << hex("1f40");
    QTest::newRow("port_max") << "port" << "65535" << true << hex("ffff");
    QTest::newRow("port_over") << "port" << "65536" << false << QByteArray();
    QTest::newRow("port_empty") << "port" << "" << false << QByteArray();
    QTest::newRow("serial_1") << "serial" << "1" << true << hex("0001");
    QTest::newRow("serial_4660") << "serial" << "4660" << true << hex("1234");
    QTest::newRow("serial_not_a_number") << "serial" << "abc" << true << hex("0000");
    QTest::newRow("serial_negative") << "serial" << "-1" << false << QByteArray();
    QTest::newRow("serial_over") << "serial" << "65536" << false << QByteArray();
    QTest::newRow("credential_admin") << "credential" << " admin " << true
                                      << QByteArray("admin") + QByteArray(11, '\0');
    QTest::newRow("credential_16") << "credential" << "0123456789abcdef" << true << QByteArray("0123456789abcdef");
    QTest::newRow("credential_utf8_over") << "credential" << "管理员管理员" << false << QByteArray();
}

void tst_TradeFrames::fields()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QByteArray, bytes);
    std::optional<QByteArray> value;
    if (kind == "ipv4")
        value = ipv4Field(text);
    else if (kind == "port")
        value = portField(text);
    else if (kind == "serial")
        value = serialField(text);
    else
        value = clearCredential(text);
    QCOMPARE(value.has_value(), accepted);
    if (accepted)
        QCOMPARE(value->toHex(), bytes.toHex());
}

void tst_TradeFrames::frames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray mac = hex("001a2b3c4d5e");
    QTest::newRow("set_ip") << settingTrade(kSetIpv4, hex("c0a8010a"), {}) << hex("5005c0a8010a");
    QTest::newRow("set_port") << settingTrade(kSetPort, hex("1f40"), {}) << hex("50071f40");
    QTest::newRow("set_ip_mac") << settingTrade(kSetIpv4, hex("c0a8010a"), mac) << hex("5005c0a8010a001a2b3c4d5e");
    QTest::newRow("set_server_port_mac") << settingTrade(kSetServerPort, hex("2328"), mac)
                                         << hex("500b2328001a2b3c4d5e");
    QTest::newRow("login_plain") << loginPlain(hex("c0a80032")) << hex("4c5652454c414ec0a80032");
    QTest::newRow("logout_plain") << logoutRestart({}) << hex("5256524" "54c414e");
    QTest::newRow("logout_mac") << logoutRestart(mac) << hex("5256524" "54c414e001a2b3c4d5e");
    QTest::newRow("sign_off_1") << signOff(hex("0001")) << hex("b701000101000003b7");
    QTest::newRow("sign_off_4660") << signOff(hex("1234")) << hex("b701123401000048b7");
    // 01 + 00 05 + 21 + ff + "admin" + "12345" = 0x042e
    QTest::newRow("login_framed")
        << loginFramed(hex("0005"), QByteArray("admin") + QByteArray(11, '\0'), QByteArray("12345") + QByteArray(11, '\0'))
        << hex("b7010005" "21ff") + QByteArray("admin") + QByteArray(11, '\0') + QByteArray("12345") +
               QByteArray(11, '\0') + hex("042eb7");
    // Single DES under "kwvo7314" of "admin" and "888888", zero-padded to four blocks.
    const QByteArray padBlocks = hex("78f8935b647ffd66" "78f8935b647ffd66" "78f8935b647ffd66");
    const QByteArray user = hex("0d85d38d36fe901a") + padBlocks;
    const QByteArray pass = hex("82bb7e27ea960aff") + padBlocks;
    QTest::newRow("login_encrypted") << loginEncrypted(credentialcipher::encrypt("admin", kCredentialKey),
                                                       credentialcipher::encrypt("888888", kCredentialKey), mac)
                                     << hex("4c") + user + pass + mac + mac;
}

void tst_TradeFrames::frames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.toHex(), expected.toHex());
}

void tst_TradeFrames::targetMacText_data()
{
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("target");
    QTest::newRow("upper") << "00:1A:2B:3C:4D:5E" << "001a2b3c4d5e";
    QTest::newRow("single_digits") << "0:1:2:3:4:F" << "00010203040f";
}

void tst_TradeFrames::targetMacText()
{
    QFETCH(QString, mac);
    QFETCH(QString, target);
    QCOMPARE(targetMac(mac), target);
}

void tst_TradeFrames::labels()
{
    QCOMPARE(label(kSetPort) + label(kSetMask), QStringLiteral("端口号 掩码 "));
    QCOMPARE(label(kLogin), QStringLiteral("登录 "));
    QCOMPARE(label(kLogoutRestart), QStringLiteral("登出/重启 "));
    QVERIFY(label(0x33).isEmpty());
}

QTEST_GUILESS_MAIN(tst_TradeFrames)
#include "tst_tradeframes.moc"
