// What quillonctl prints: terminal widths of Chinese texts, the aligned table, and the field
// names and values that scripts read from JSON and CSV.
#include "ctl/output/deviceformat.h"
#include "ctl/output/displaywidth.h"
#include "ctl/output/texttable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// An encrypted-family device with every field its reply fills.
deviceReply encryptedRecord()
{
    deviceReply r;
    r.mac = QStringLiteral("02:51:00:00:00:41");
    r.ipv4 = QStringLiteral("192.168.0.41");
    r.port = QStringLiteral("15000");
    r.mask = QStringLiteral("255.255.255.0");
    r.gateway = QStringLiteral("192.168.0.1");
    r.dstIpv4 = QStringLiteral("192.168.0.200");
    r.dstPort = QStringLiteral("9000");
    r.ntpIpv4 = QStringLiteral("202.112.10.60");
    r.httpPort = QStringLiteral("15000");
    r.sn = QStringLiteral("4101");
    r.bh = QStringLiteral("L0041");
    r.fw = QStringLiteral("8000");
    r.doors = QStringLiteral("2");
    r.oldFw = QStringLiteral("8000");
    r.productType = QStringLiteral("QB3526/2");
    r.category = QStringLiteral("门禁控制器");
    for (int i = 0; i < 16; ++i)
        r.SNID[i] = quint8(i);
    r.TXID[7] = 0xFF;
    r.protocol = DeviceFamily::Encrypted407;
    return r;
}

} // namespace

class tst_CtlOutput : public QObject
{
    Q_OBJECT
private slots:
    void width_data();
    void width();
    void table();
    void fieldNames();
    void json();
    void csvAsTheWindowWritesIt();
};

void tst_CtlOutput::width_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("columns");
    QTest::newRow("ascii") << "QB3526/2" << 8;
    QTest::newRow("chinese") << QStringLiteral("门禁控制器") << 10;
    QTest::newRow("mixed") << QStringLiteral("UPS电源") << 7;
    QTest::newRow("fullwidth_latin") << QStringLiteral("ＡＢ") << 4;
    QTest::newRow("combining_mark") << QStringLiteral("e\u0301") << 1;
    QTest::newRow("latin1_letter") << QStringLiteral("Ä") << 1;
    QTest::newRow("empty") << "" << 0;
}

void tst_CtlOutput::width()
{
    QFETCH(QString, text);
    QFETCH(int, columns);
    QCOMPARE(displayWidth(text), columns);
}

void tst_CtlOutput::table()
{
    const QString text = renderTable({"MAC", "Category", "N"},
                                     {{"a", QStringLiteral("门禁控制器"), "1"}, {"bb", "x\ty", "22"}, {"c"}});
    QCOMPARE(text, QStringLiteral("MAC  Category    N\n"
                                  "a    门禁控制器  1\n"
                                  "bb   x?y         22\n"
                                  "c\n"));
}

void tst_CtlOutput::fieldNames()
{
    // Scripts depend on these names and this order; the manual page lists them.
    QCOMPARE(
        deviceexport::fieldNames(),
        (QStringList{"mac",           "family",      "ip",       "port",     "mask",         "gateway",
                     "server_ip",     "server_port", "ntp_ip",   "ntp_port", "http_port",    "serial",
                     "device_number", "firmware",    "hardware", "doors",    "product_code", "product_type",
                     "category",      "mfg",         "reserve",  "version",  "snid",         "txid",
                     "adapter",       "replies"}));
    const QString csv =
        formatDevices(OutputFormat::Csv, {deviceexport::fields(encryptedRecord(), "eth1", 3)});
    QCOMPARE(
        csv.section(QLatin1Char('\n'), 1, 1),
        QStringLiteral("02:51:00:00:00:41,407enc,192.168.0.41,15000,255.255.255.0,192.168.0.1,192.168.0.200,"
                       "9000,202.112.10.60,,15000,4101,L0041,8000,,2,8000,QB3526/2,门禁控制器,,,,"
                       "000102030405060708090a0b0c0d0e0f,00000000000000ff,eth1,3"));
}

void tst_CtlOutput::json()
{
    deviceReply old201;
    old201.mac = QStringLiteral("02:51:00:00:02:42");
    old201.port = QStringLiteral("8080");
    old201.SNID[0] = 0xAA; // left over, but not the family's: not exported
    old201.protocol = DeviceFamily::Reply201;
    const QByteArray text =
        formatDevices(OutputFormat::Json, {deviceexport::fields(encryptedRecord(), "eth1", 3),
                                           deviceexport::fields(old201, QStringLiteral("网卡 2"), 1)})
            .toUtf8();
    QJsonParseError error{};
    const QJsonArray devices = QJsonDocument::fromJson(text, &error).object().value("devices").toArray();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(devices.size(), 2);
    const QJsonObject enc = devices[0].toObject();
    QCOMPARE(enc.size(), 26);
    QCOMPARE(enc.value("mac").toString(), QStringLiteral("02:51:00:00:00:41"));
    QCOMPARE(enc.value("family").toString(), QStringLiteral("407enc"));
    QCOMPARE(enc.value("port").toInt(-1), 15000);
    QCOMPARE(enc.value("doors").toInt(-1), 2);
    QVERIFY(enc.value("ntp_port").isNull());
    QCOMPARE(enc.value("category").toString(), QStringLiteral("门禁控制器"));
    QCOMPARE(enc.value("snid").toString(), QStringLiteral("000102030405060708090a0b0c0d0e0f"));
    QCOMPARE(enc.value("replies").toInt(-1), 3);
    const QJsonObject old = devices[1].toObject();
    QCOMPARE(old.value("family").toString(), QStringLiteral("201"));
    QCOMPARE(old.value("snid").toString(QStringLiteral("absent")), QString());
    QCOMPARE(old.value("adapter").toString(), QStringLiteral("网卡 2"));
    QVERIFY(old.value("server_port").isNull());
}

// The window's writer, lines ending in a line feed: a forged reply's formula stays text.
void tst_CtlOutput::csvAsTheWindowWritesIt()
{
    deviceReply forged = encryptedRecord();
    forged.productType = QStringLiteral("=HYPERLINK(\"http://x\",\"y\")");
    forged.bh = QStringLiteral("-2+3");
    const QString csv = formatDevices(OutputFormat::Csv, {deviceexport::fields(forged, "eth1", 1)});
    QVERIFY(!csv.contains(QLatin1Char('\r')));
    QCOMPARE(csv.count(QLatin1Char('\n')), 2);
    const QString row = csv.section(QLatin1Char('\n'), 1, 1);
    QVERIFY(row.contains(QStringLiteral(",'-2+3,")));
    QVERIFY(row.contains(QStringLiteral(",\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",")));
}

QTEST_GUILESS_MAIN(tst_CtlOutput)
#include "tst_ctloutput.moc"
