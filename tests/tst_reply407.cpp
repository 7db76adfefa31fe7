#include "discovery/reply407.h"
#include "support/replybuilder.h"

#include <QtTest>

class tst_Reply407 : public QObject
{
    Q_OBJECT

private slots:
    void field_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("patches");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");

        QTest::newRow("ipv4_unsigned") << 55 << "10=c0a800f2" << "ipv4" << "192.168.0.242";
        QTest::newRow("port") << 55 << "8=3c07" << "port" << "15367";
        QTest::newRow("httpPort_copy") << 55 << "8=0050" << "httpPort" << "80";
        QTest::newRow("mac") << 55 << "2=001a2b3c4d5e" << "mac" << "00:1A:2B:3C:4D:5E";
        QTest::newRow("mac_0a") << 55 << "2=0a0b0c0d0e0f" << "mac" << "0A:0B:0C:0D:0E:0F";
        QTest::newRow("gateway") << 55 << "14=c0a80001" << "gateway" << "192.168.0.1";
        QTest::newRow("mask") << 55 << "18=fffff000" << "mask" << "255.255.240.0";
        QTest::newRow("server") << 55 << "22=c0a800c8" << "dstIpv4" << "192.168.0.200";
        QTest::newRow("serverPort") << 55 << "28=ea60" << "dstPort" << "60000";
        QTest::newRow("sn") << 55 << "26=04d2" << "sn" << "1234";
        QTest::newRow("sn_max") << 55 << "26=ffff" << "sn" << "65535";
        QTest::newRow("sn_empty_when_26_zero") << 55 << "26=0005" << "sn" << "";
        QTest::newRow("sn_high_only") << 55 << "26=0100" << "sn" << "256";
        QTest::newRow("ntp") << 55 << "30=ca700a3c" << "ntpIpv4" << "202.112.10.60";
        QTest::newRow("oldFw") << 55 << "34=7100" << "oldFw" << "7100";
        QTest::newRow("fw_copy") << 55 << "34=7100" << "fw" << "7100";
        QTest::newRow("fw_0a") << 55 << "34=0a0b" << "fw" << "0A0B";
        QTest::newRow("doors") << 55 << "38=04" << "doors" << "4";
        QTest::newRow("bh_first_place") << 55 << "39=4131323334 50=4239383736" << "bh" << "B9876";
        QTest::newRow("bh_second_place") << 55 << "39=4131323334" << "bh" << "A1234";
        QTest::newRow("bh_empty") << 55 << "40=31323334 51=31" << "bh" << "";
        QTest::newRow("bh_first_place_from_50_only") << 55 << "50=5a" << "bh" << QString::fromLatin1("Z\0\0\0\0", 5);
        QTest::newRow("type_cabin") << 55 << "34=0100" << "productType" << "QB3310S";
        QTest::newRow("category_cabin") << 55 << "34=0100" << "category" << "防护舱控制器";
        QTest::newRow("type_ups") << 55 << "34=1200" << "productType" << "QF8420";
        QTest::newRow("category_ups") << 55 << "34=1200" << "category" << "UPS监控器";
        QTest::newRow("type_interlock") << 55 << "34=2f00" << "productType" << "QB3521";
        QTest::newRow("category_interlock") << 55 << "34=2f00" << "category" << "联动门控制器";
        QTest::newRow("type_vip") << 55 << "34=3000" << "productType" << "QB3526/V";
        QTest::newRow("category_vip") << 55 << "34=3000" << "category" << "贵宾室控制器";
        QTest::newRow("type_power") << 55 << "34=5000" << "productType" << "QB3104";
        QTest::newRow("category_power") << 55 << "34=5000" << "category" << "网络电源";
        QTest::newRow("type_standard") << 55 << "34=7100 38=04" << "productType" << "QB3526/4";
        QTest::newRow("category_standard") << 55 << "34=7100 38=04" << "category" << "标准门禁控制器";
        QTest::newRow("type_standard_2") << 55 << "34=7480 38=02" << "productType" << "QB3526/2";
        QTest::newRow("type_lift") << 55 << "34=8000" << "productType" << "QB3530";
        QTest::newRow("category_lift") << 55 << "34=8000" << "category" << "梯控控制器";
        QTest::newRow("type_gate") << 55 << "34=9000" << "productType" << "QB3532";
        QTest::newRow("category_gate") << 55 << "34=9000" << "category" << "溢流闸监控器";
        QTest::newRow("type_unlisted_4") << 55 << "34=4a00 38=01" << "productType" << "[1]";
        QTest::newRow("category_unlisted_4") << 55 << "34=4a00" << "category" << "4A00";
        QTest::newRow("category_unlisted_6") << 55 << "34=6001" << "category" << "6001";
        QTest::newRow("type_unlisted_a") << 55 << "34=a000 38=08" << "productType" << "[8]";
        QTest::newRow("category_unlisted_f") << 55 << "34=ff00" << "category" << "FF00";
        QTest::newRow("short_payload_ipv4") << 8 << "2=010203040506" << "ipv4" << "0.0.0.0";
        QTest::newRow("short_payload_port") << 8 << "" << "port" << "0";
        QTest::newRow("short_payload_sn") << 20 << "" << "sn" << "";
        QTest::newRow("short_payload_bh") << 20 << "" << "bh" << "";
        QTest::newRow("empty_payload_type") << 0 << "" << "productType" << "QB3310S";
    }
    void field()
    {
        QFETCH(int, length);
        QFETCH(QString, patches);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        deviceReply record;
        reply407::decode(buildReply(length, patches), record);
        QCOMPARE(recordField(record, field), expected);
    }

    void keepsFieldsItDoesNotCarry()
    {
        deviceReply record;
        record.hw = QStringLiteral("H2");
        record.ntpPort = QStringLiteral("123");
        record.SNID[0] = 0x5a;
        record.TXID[7] = 0xa5;
        record.protocol = DeviceFamily::Encrypted407;
        reply407::decode(buildReply(55, QStringLiteral("10=c0a800f2")), record);
        QCOMPARE(record.hw, QStringLiteral("H2"));
        QCOMPARE(record.ntpPort, QStringLiteral("123"));
        QCOMPARE(record.SNID[0], static_cast<unsigned char>(0x5a));
        QCOMPARE(record.TXID[7], static_cast<unsigned char>(0xa5));
        QCOMPARE(record.protocol, DeviceFamily::Encrypted407);
    }
};

QTEST_GUILESS_MAIN(tst_Reply407)
#include "tst_reply407.moc"
