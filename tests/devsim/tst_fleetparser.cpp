#include "devsim/fleetparser.h"

#include <QFile>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

QJsonObject goodDevice()
{
    return QJsonObject{{"family", "407enc"},
                       {"mac", "00:1a:2B:3c:4d:5e"},
                       {"ip", "192.168.0.41"},
                       {"port", 15000},
                       {"mask", "255.255.255.0"},
                       {"gateway", "192.168.0.1"},
                       {"serverIp", "192.168.0.200"},
                       {"serverPort", 9000},
                       {"ntpIp", "202.112.10.60"},
                       {"productCode", "8000"},
                       {"doors", 2},
                       {"serial", "4101"},
                       {"deviceNumber", "L0041"},
                       {"udpUser", "admin"},
                       {"udpPassword", "888888"},
                       {"snid", "000102030405060708090a0b0c0d0e0f"},
                       {"txid", "00000000000000fe"}};
}

QByteArray fleetOf(const QJsonArray &devices)
{
    return QJsonDocument(QJsonObject{{"devices", devices}}).toJson();
}

// The good device with one key set (or removed, for an undefined value).
QByteArray withField(const QString &key, const QJsonValue &value)
{
    QJsonObject d = goodDevice();
    if (value.isUndefined())
        d.remove(key);
    else
        d.insert(key, value);
    return fleetOf({d});
}

} // namespace

class tst_FleetParser : public QObject
{
    Q_OBJECT

private slots:
    void goodFile()
    {
        const FleetParse parsed = parseFleet(fleetOf({goodDevice()}));
        QCOMPARE(parsed.error, QString());
        QCOMPARE(parsed.devices.size(), 1);
        const SimDevice &d = parsed.devices.first();
        QCOMPARE(d.family, Family::Encrypted407);
        QCOMPARE(d.mac, QByteArray::fromHex("001a2b3c4d5e"));
        QCOMPARE(QHostAddress(d.net.ip).toString(), QStringLiteral("192.168.0.41"));
        QCOMPARE(d.net.port, quint16(15000));
        QCOMPARE(QHostAddress(d.net.mask).toString(), QStringLiteral("255.255.255.0"));
        QCOMPARE(QHostAddress(d.net.serverIp).toString(), QStringLiteral("192.168.0.200"));
        QCOMPARE(d.net.serverPort, quint16(9000));
        QCOMPARE(QHostAddress(d.ntpIp).toString(), QStringLiteral("202.112.10.60"));
        QCOMPARE(d.productCode, quint16(0x8000));
        QCOMPARE(d.doors, quint8(2));
        QCOMPARE(d.serial, QStringLiteral("4101"));
        QCOMPARE(d.deviceNumber, QStringLiteral("L0041"));
        QCOMPARE(d.udpPassword, QStringLiteral("888888"));
        QCOMPARE(d.snid[15], quint8(0x0f));
        QCOMPARE(d.txid[7], quint8(0xfe));
    }

    void family_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("201") << "201" << int(Family::Old201);
        QTest::newRow("407") << "407" << int(Family::Plain407);
        QTest::newRow("407enc") << "407enc" << int(Family::Encrypted407);
    }
    void family()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QJsonObject d = goodDevice();
        d.insert("family", text);
        if (text != QLatin1String("407enc")) {
            d.remove("snid");
            d.remove("txid");
        }
        const FleetParse parsed = parseFleet(fleetOf({d}));
        QCOMPARE(parsed.error, QString());
        QCOMPARE(int(parsed.devices.value(0).family), expected);
    }

    void fault_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("absent") << QJsonValue(QJsonValue::Undefined) << int(Fault::None);
        QTest::newRow("refuse") << QJsonValue("refuse") << int(Fault::Refuse);
        QTest::newRow("late") << QJsonValue("late") << int(Fault::Late);
        QTest::newRow("redirect") << QJsonValue("redirect") << int(Fault::Redirect);
    }
    void fault()
    {
        QFETCH(QJsonValue, value);
        QFETCH(int, expected);
        const FleetParse parsed = parseFleet(withField("fault", value));
        QCOMPARE(parsed.error, QString());
        QCOMPARE(int(parsed.devices.value(0).fault), expected);
    }

    void demoFleet()
    {
        QFile file(QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const FleetParse parsed = parseFleet(file.readAll());
        QCOMPARE(parsed.error, QString());
        bool webDevice = false;
        for (const SimDevice &d : parsed.devices)
            webDevice = webDevice || (QHostAddress(d.net.ip).toString() == QLatin1String("192.168.0.242") &&
                                      d.firmware.size() >= 5);
        QVERIFY(webDevice);
    }

    void badFile_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("fault");
        QTest::newRow("not_json") << QByteArray("{devices") << "not JSON";
        QTest::newRow("no_list") << QByteArray("{}") << "no \"devices\" list";
        QTest::newRow("empty_list") << fleetOf({}) << "no \"devices\" list";
        QTest::newRow("entry_not_object") << fleetOf({1}) << "device 0: not an object";
        QTest::newRow("family") << withField("family", "301") << "family";
        QTest::newRow("mac_short") << withField("mac", "00:1a:2b:3c:4d") << "mac";
        QTest::newRow("mac_no_colons") << withField("mac", "001a2b3c4d5e") << "mac";
        QTest::newRow("ip_missing") << withField("ip", QJsonValue::Undefined) << "ip must";
        QTest::newRow("ip_bad") << withField("ip", "192.168.0.300") << "ip must";
        QTest::newRow("ip_v6") << withField("ip", "::1") << "ip must";
        QTest::newRow("mask_number") << withField("mask", 24) << "mask must";
        QTest::newRow("port_missing") << withField("port", QJsonValue::Undefined) << "port must";
        QTest::newRow("port_big") << withField("port", 65536) << "port must";
        QTest::newRow("port_text") << withField("port", "15000") << "port must";
        QTest::newRow("port_fraction") << withField("port", 15000.5) << "port must";
        QTest::newRow("server_port_negative") << withField("serverPort", -1) << "serverPort must";
        QTest::newRow("doors_big") << withField("doors", 256) << "doors must";
        QTest::newRow("code_missing") << withField("productCode", QJsonValue::Undefined) << "productCode";
        QTest::newRow("code_short") << withField("productCode", "800") << "productCode";
        QTest::newRow("code_not_hex") << withField("productCode", "80zz") << "productCode";
        QTest::newRow("serial_407_text") << withField("serial", "A1234") << "serial";
        QTest::newRow("serial_407_big") << withField("serial", "65536") << "serial";
        QTest::newRow("number_long") << withField("deviceNumber", "L00411") << "deviceNumber";
        QTest::newRow("firmware_on_407") << withField("firmware", "V5.2.10") << "firmware";
        QTest::newRow("credential_407_long")
            << withField("udpPassword", "12345678901234567") << "udp credentials";
        QTest::newRow("snid_short") << withField("snid", "0001") << "snid";
        QTest::newRow("fault_unknown") << withField("fault", "slow") << "fault must";
        QTest::newRow("txid_long") << withField("txid", "00000000000000fe00") << "txid";
        QJsonObject old = goodDevice();
        old.insert("family", "201");
        old.insert("serial", "A12345");
        QTest::newRow("serial_201_long") << fleetOf({old}) << "serial";
        old.insert("serial", "A1234");
        QTest::newRow("ids_on_201") << fleetOf({old}) << "snid and txid";
        old.remove("snid");
        old.remove("txid");
        old.insert("firmware", "ABCDEFGHIJKLMNOPQRSTU");
        QTest::newRow("firmware_201_long") << fleetOf({old}) << "firmware";
        old.insert("firmware", "V5.2.10");
        old.insert("udpUser", QString(32, QLatin1Char('u')));
        QTest::newRow("credential_201_long") << fleetOf({old}) << "udp credentials";
        QJsonObject other = goodDevice();
        other.insert("ip", "192.168.0.42");
        QTest::newRow("mac_twice") << fleetOf({goodDevice(), other}) << "device 1: mac used twice";
        other = goodDevice();
        other.insert("mac", "00:1a:2b:3c:4d:5f");
        QTest::newRow("ip_twice") << fleetOf({goodDevice(), other}) << "device 1: ip used twice";
    }
    void badFile()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, fault);
        const FleetParse parsed = parseFleet(json);
        QVERIFY2(parsed.error.contains(fault), qPrintable(parsed.error));
        QVERIFY(parsed.devices.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_FleetParser)
#include "tst_fleetparser.moc"
