#include "discovery/devicedocument.h"

#include <QtTest>

using deviceexport::Field;
using deviceexport::ValueKind;

// CSV quoting and the JSON shape for values no simulated device sends.
class tst_DeviceDocument : public QObject
{
    Q_OBJECT
private slots:
    void csvField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "192.168.0.5"
                               << "192.168.0.5";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("chinese") << "标准门禁控制器"
                                 << "标准门禁控制器";
        QTest::newRow("comma") << "a,b"
                               << "\"a,b\"";
        QTest::newRow("quote") << "a\"b"
                               << "\"a\"\"b\"";
        QTest::newRow("line_feed") << "a\nb"
                                   << "\"a\nb\"";
        QTest::newRow("carriage_return") << "a\rb"
                                         << "\"a\rb\"";
        QTest::newRow("leading_blank") << " a"
                                       << "\" a\"";
        QTest::newRow("trailing_blank") << "a "
                                        << "\"a \"";
        // Texts a spreadsheet program would run as formulas are kept as text.
        QTest::newRow("formula_equals") << "=1+2"
                                        << "'=1+2";
        QTest::newRow("formula_plus") << "+1"
                                      << "'+1";
        QTest::newRow("formula_minus") << "-1"
                                       << "'-1";
        QTest::newRow("formula_at") << "@SUM(A1)"
                                    << "'@SUM(A1)";
        QTest::newRow("formula_tab") << "\t=1"
                                     << "'\t=1";
        QTest::newRow("formula_carriage_return") << "\r=1"
                                                 << "\"'\r=1\"";
        QTest::newRow("formula_quoted") << "=HYPERLINK(\"a\",1)"
                                        << "\"'=HYPERLINK(\"\"a\"\",1)\"";
        QTest::newRow("sign_inside") << "V5-2=3"
                                     << "V5-2=3";
    }
    void csvField()
    {
        QFETCH(QString, text);
        QTEST(devicedocument::csvField(text), "field");
    }

    void emptyList()
    {
        QCOMPARE(devicedocument::json({}), QByteArray("{\n    \"devices\": [\n    ]\n}\n"));
        const QByteArray csv = devicedocument::csv({}, devicedocument::ByteOrderMark::With);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"
                               "mac,family,ip,port,"));
        QVERIFY(csv.endsWith(",adapter,replies\r\n"));
        QCOMPARE(csv.count('\n'), 1);
    }

    // A number field without a decimal value is null; texts are escaped, Chinese kept as UTF-8.
    void jsonValues()
    {
        const devicedocument::Row row = {{"port", "08080", ValueKind::Number},
                                         {"doors", "", ValueKind::Number},
                                         {"ntp_port", "x1", ValueKind::Number},
                                         {"serial", "a\"b\\c\td", ValueKind::Text},
                                         {"category", "梯控", ValueKind::Text}};
        QCOMPARE(devicedocument::json({row, row.mid(0, 1)}),
                 QByteArray("{\n    \"devices\": [\n"
                            "        {\n"
                            "            \"port\": 8080,\n"
                            "            \"doors\": null,\n"
                            "            \"ntp_port\": null,\n"
                            "            \"serial\": \"a\\\"b\\\\c\\td\",\n"
                            "            \"category\": \"\xE6\xA2\xAF\xE6\x8E\xA7\"\n"
                            "        },\n"
                            "        {\n"
                            "            \"port\": 8080\n"
                            "        }\n"
                            "    ]\n}\n"));
    }
};

QTEST_GUILESS_MAIN(tst_DeviceDocument)
#include "tst_devicedocument.moc"
