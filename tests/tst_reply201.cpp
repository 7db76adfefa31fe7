#include "discovery/reply201.h"
#include "support/replybuilder.h"

#include <QtTest>

class tst_Reply201 : public QObject
{
    Q_OBJECT

private slots:
    void field_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("patches");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");

        QTest::newRow("ipv4_unsigned") << 75 << "10=c0a800f2" << "ipv4" << "192.168.0.242";
        QTest::newRow("ipv4_zero") << 75 << "" << "ipv4" << "0.0.0.0";
        QTest::newRow("ipv4_ff") << 75 << "10=ffffffff" << "ipv4" << "255.255.255.255";
        QTest::newRow("port") << 75 << "8=3c07" << "port" << "15367";
        QTest::newRow("port_max") << 75 << "8=ffff" << "port" << "65535";
        QTest::newRow("httpPort_copy") << 75 << "8=3c07" << "httpPort" << "15367";
        QTest::newRow("mac") << 75 << "2=001a2b3c4d5e" << "mac" << "00:1A:2B:3C:4D:5E";
        QTest::newRow("mac_0a") << 75 << "2=0a0a0a0a0a0a" << "mac" << "0A:0A:0A:0A:0A:0A";
        QTest::newRow("mac_high") << 75 << "2=c0ffeef00dba" << "mac" << "C0:FF:EE:F0:0D:BA";
        QTest::newRow("gateway") << 75 << "14=c0a80001" << "gateway" << "192.168.0.1";
        QTest::newRow("mask") << 75 << "18=ffffff00" << "mask" << "255.255.255.0";
        QTest::newRow("server") << 75 << "22=0a000102" << "dstIpv4" << "10.0.1.2";
        QTest::newRow("serverPort") << 75 << "28=1f90" << "dstPort" << "8080";
        QTest::newRow("serverPort_ignores_26") << 75 << "26=ffff 28=0050" << "dstPort" << "80";
        QTest::newRow("oldFw") << 75 << "34=7480" << "oldFw" << "7480";
        QTest::newRow("oldFw_0a") << 75 << "34=0a01" << "oldFw" << "0A01";
        QTest::newRow("doors") << 75 << "38=04" << "doors" << "4";
        QTest::newRow("doors_unsigned") << 75 << "38=c8" << "doors" << "200";
        QTest::newRow("sn") << 75 << "39=4142433132" << "sn" << "ABC12";
        QTest::newRow("sn_empty_when_39_zero") << 75 << "39=0041424344" << "sn" << "";
        QTest::newRow("sn_not_past_43") << 75 << "39=4142433132 44=5a" << "sn" << "ABC12";
        QTest::newRow("sn_latin1") << 75 << "39=e9414243ff" << "sn" << QStringLiteral("\u00e9ABC\u00ff");
        QTest::newRow("fw_short") << 75 << "55=56312e32" << "fw" << "V1.2";
        QTest::newRow("fw_empty") << 75 << "56=41" << "fw" << "";
        QTest::newRow("fw_twenty")
            << 75 << "55=4142434445464748494a4b4c4d4e4f5051525354" << "fw" << "ABCDEFGHIJKLMNOPQRST";
        QTest::newRow("fw_not_past_74")
            << 80 << "55=4142434445464748494a4b4c4d4e4f5051525354 75=5859" << "fw"
            << "ABCDEFGHIJKLMNOPQRST";
        QTest::newRow("fw_stops_at_zero") << 75 << "55=41420043" << "fw" << "AB";
        QTest::newRow("type_fingerprint") << 75 << "34=4001 38=01" << "productType" << "QF2100";
        QTest::newRow("category_fingerprint") << 75 << "34=4001" << "category" << "指纹机";
        QTest::newRow("type_gb") << 75 << "34=7480 38=02" << "productType" << "QB18[2]";
        QTest::newRow("category_gb") << 75 << "34=7480 38=02" << "category" << "GB门禁控制器";
        QTest::newRow("type_unlisted") << 75 << "34=0a01 38=03" << "productType" << "[3]";
        QTest::newRow("category_unlisted") << 75 << "34=0a01 38=03" << "category" << "0A01";
        QTest::newRow("category_zero_code") << 75 << "" << "category" << "0000";
        QTest::newRow("short_ipv4") << 12 << "10=c0a8" << "ipv4" << "192.168.0.0";
        QTest::newRow("short_fw") << 57 << "55=4142" << "fw" << "AB";
        QTest::newRow("empty_mac") << 0 << "" << "mac" << "00:00:00:00:00:00";
    }
    void field()
    {
        QFETCH(int, length);
        QFETCH(QString, patches);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        deviceReply record;
        reply201::decode(buildReply(length, patches), record);
        QCOMPARE(recordField(record, field), expected);
    }

    void keepsFieldsItDoesNotCarry()
    {
        deviceReply record;
        record.bh = QStringLiteral("A1234");
        record.ntpIpv4 = QStringLiteral("10.0.0.9");
        record.hw = QStringLiteral("H2");
        record.protocol = DeviceFamily::Reply201;
        reply201::decode(buildReply(75, QStringLiteral("10=c0a800f2")), record);
        QCOMPARE(record.bh, QStringLiteral("A1234"));
        QCOMPARE(record.ntpIpv4, QStringLiteral("10.0.0.9"));
        QCOMPARE(record.hw, QStringLiteral("H2"));
        QCOMPARE(record.protocol, DeviceFamily::Reply201);
    }

    void replacesEveryCarriedField()
    {
        deviceReply record;
        reply201::decode(buildReply(75, QStringLiteral("2=0102030405 10=01020304 39=4142434445 "
                                                       "55=5631")),
                         record);
        reply201::decode(buildReply(75, QString()), record);
        QCOMPARE(record.sn, QString());
        QCOMPARE(record.fw, QString());
        QCOMPARE(record.ipv4, QStringLiteral("0.0.0.0"));
        QCOMPARE(record.mac, QStringLiteral("00:00:00:00:00:00"));
    }
};

QTEST_GUILESS_MAIN(tst_Reply201)
#include "tst_reply201.moc"
