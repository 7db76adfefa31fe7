// Batch plans: the CSV as spreadsheets write it, the plan's own checks with the line and column
// named, and the address checks made before anything is sent.
#include "ctl/args/addressargs.h"
#include "ctl/output/batchreport.h"
#include "ctl/plan/addresscheck.h"
#include "ctl/plan/batchplan.h"
#include "ctl/plan/csvreader.h"
#include "ctl/plan/planform.h"

#include <QtTest>

Q_DECLARE_METATYPE(QVector<PlannedAddress>)
Q_DECLARE_METATYPE(QVector<HeldAddress>)

namespace {

quint32 ip(const char *text)
{
    return parseIpv4({}, QLatin1String(text)).value;
}

} // namespace

class tst_BatchPlan : public QObject
{
    Q_OBJECT
private slots:
    void csv_data();
    void csv();
    void plan_data();
    void plan();
    void planValues();
    void conflicts_data();
    void conflicts();
    void formFromRow();
    void mismatches();
    void exitStatus_data();
    void exitStatus();
};

void tst_BatchPlan::csv_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("records"); // records joined by "|", fields by "/", each prefixed "line:"
    QTest::addColumn<QString>("error");   // a piece of the refusal, empty when accepted
    QTest::newRow("plain") << QByteArray("a,b\n1,2\n") << "1:a/b|2:1/2"
                           << "";
    QTest::newRow("crlf_no_final_newline") << QByteArray("a,b\r\n1,2") << "1:a/b|2:1/2"
                                           << "";
    QTest::newRow("bom") << QByteArray("\xEF\xBB\xBFmac\n1\n") << "1:mac|2:1"
                         << "";
    QTest::newRow("empty_lines_skipped") << QByteArray("a\n\n\r\nb\n") << "1:a|4:b"
                                         << "";
    QTest::newRow("quoted_comma_quote") << QByteArray("\"x,y\",\"say \"\"hi\"\"\"\n") << "1:x,y/say \"hi\""
                                        << "";
    QTest::newRow("quoted_line_break") << QByteArray("\"two\nlines\",z\nnext\n") << "1:two\nlines/z|3:next"
                                       << "";
    QTest::newRow("empty_fields") << QByteArray(",,\n") << "1://"
                                  << "";
    QTest::newRow("unclosed_quote") << QByteArray("a\n\"open,b\n") << ""
                                    << "line 2, field 1";
    QTest::newRow("text_after_quote") << QByteArray("a,\"b\"c\n") << ""
                                      << "line 1, field 2";
    QTest::newRow("stray_quote") << QByteArray("a\nb,c\"d\n") << ""
                                 << "line 2, field 2";
    QTest::newRow("latin1") << QByteArray("mac\n\xE9t\xE9\n") << ""
                            << "line 2: not UTF-8";
}

void tst_BatchPlan::csv()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, records);
    QFETCH(QString, error);
    const Checked<QVector<CsvRecord>> read = readCsv(bytes);
    QCOMPARE(read.ok(), error.isEmpty());
    if (!read.ok()) {
        QVERIFY2(read.error.contains(error), qPrintable(read.error));
        return;
    }
    QStringList seen;
    for (const CsvRecord &r : read.value)
        seen << QString::number(r.line) + QLatin1Char(':') + r.fields.join(QLatin1Char('/'));
    QCOMPARE(seen.join(QLatin1Char('|')), records);
}

void tst_BatchPlan::plan_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("error"); // a piece of the refusal, empty when accepted
    QTest::newRow("minimal") << QByteArray("mac,ip\n02:51:00:00:00:41,192.168.0.50\n") << "";
    QTest::newRow("any_case_any_order") << QByteArray("IP , Mac\n192.168.0.50,025100000041\n") << "";
    QTest::newRow("empty_keeps") << QByteArray("mac,ip,port\n02:51:00:00:00:41,,8000\n") << "";
    QTest::newRow("empty_file") << QByteArray("") << "the plan is empty";
    QTest::newRow("header_only") << QByteArray("mac,ip\n") << "names no device";
    QTest::newRow("no_mac_column") << QByteArray("ip\n192.168.0.50\n") << "no \"mac\" column";
    QTest::newRow("unknown_column") << QByteArray("mac,sever\n") << "line 1: unknown column \"sever\"";
    QTest::newRow("column_twice") << QByteArray("mac,ip,IP\n") << "column \"ip\" appears twice";
    QTest::newRow("short_row") << QByteArray("mac,ip\n02:51:00:00:00:41\n") << "line 2: 1 fields";
    QTest::newRow("bad_mac") << QByteArray("mac,ip\n02:51:00:00:00,192.168.0.50\n") << "line 2, column mac";
    QTest::newRow("missing_mac") << QByteArray("mac,ip\n,192.168.0.50\n") << "line 2, column mac";
    QTest::newRow("ip_part_above_255") << QByteArray("mac,ip\n\n02:51:00:00:00:41,192.168.0.256\n")
                                       << "line 3, column ip: \"192.168.0.256\": part 4 (256)";
    QTest::newRow("port_70000") << QByteArray("mac,port\n02:51:00:00:00:41,70000\n") << "line 2, column port";
    QTest::newRow("bad_mask") << QByteArray("mac,mask\n02:51:00:00:00:41,255.0.255.0\n")
                              << "line 2, column mask";
    QTest::newRow("bad_server_port") << QByteArray("mac,server_port\n02:51:00:00:00:41,0\n")
                                     << "line 2, column server_port";
    QTest::newRow("mac_twice") << QByteArray(
                                      "mac,ip\n02:51:00:00:00:41,10.0.0.1\n02-51-00-00-00-41,10.0.0.2\n")
                               << "line 3: 02:51:00:00:00:41 is already planned on line 2";
    QTest::newRow("sets_nothing") << QByteArray("mac,user,password\n02:51:00:00:00:41,a,b\n")
                                  << "line 2: the row for 02:51:00:00:00:41 sets nothing";
    QTest::newRow("user_without_password")
        << QByteArray("mac,ip,user\n02:51:00:00:00:41,10.0.0.1,a\n") << "line 2: give both user and password";
    QTest::newRow("password_too_long")
        << QByteArray("mac,ip,user,password\n02:51:00:00:00:41,10.0.0.1,a,") + QByteArray(32, 'p') + "\n"
        << "line 2, column password: 32 bytes";
}

void tst_BatchPlan::plan()
{
    QFETCH(QByteArray, csv);
    QFETCH(QString, error);
    const Checked<QVector<PlanRow>> plan = parsePlan(csv);
    QCOMPARE(plan.ok(), error.isEmpty());
    if (!plan.ok())
        QVERIFY2(plan.error.contains(error), qPrintable(plan.error));
}

void tst_BatchPlan::planValues()
{
    const Checked<QVector<PlanRow>> plan = parsePlan(
        "mac,ip,port,mask,gateway,server,server_port,user,password\n"
        "025100000041,192.168.000.050,08000,255.255.255.0,192.168.0.1,10.0.0.9,9000, admin ,\"pa,ss\"\n"
        "02:51:00:00:02:42,,,,,,9001,,\n");
    QVERIFY2(plan.ok(), qPrintable(plan.error));
    QCOMPARE(plan.value.size(), 2);
    const PlanRow &a = plan.value[0];
    QCOMPARE(a.line, 2);
    const QStringList values{a.mac,    a.ip,         a.port, a.mask,    a.gateway,
                             a.server, a.serverPort, a.user, a.password};
    QCOMPARE(values, (QStringList{"02:51:00:00:00:41", "192.168.0.50", "8000", "255.255.255.0", "192.168.0.1",
                                  "10.0.0.9", "9000", "admin", "pa,ss"}));
    const PlanRow &b = plan.value[1];
    QCOMPARE(b.line, 3);
    QVERIFY(b.ip.isEmpty() && b.user.isEmpty());
    QCOMPARE(b.serverPort, QStringLiteral("9001"));
}

void tst_BatchPlan::conflicts_data()
{
    QTest::addColumn<QVector<PlannedAddress>>("planned");
    QTest::addColumn<QVector<HeldAddress>>("held");
    QTest::addColumn<QStringList>("problems");
    const quint32 m24 = ip("255.255.255.0");
    const QString a = QStringLiteral("02:00:00:00:00:0A");
    const QString b = QStringLiteral("02:00:00:00:00:0B");
    const QString c = QStringLiteral("02:00:00:00:00:0C");
    QTest::newRow("distinct") << QVector<PlannedAddress>{{a, 2, ip("10.0.0.1"), m24},
                                                         {b, 3, ip("10.0.0.2"), m24}}
                              << QVector<HeldAddress>{} << QStringList();
    QTest::newRow("one_address_twice")
        << QVector<PlannedAddress>{{a, 2, ip("10.0.0.7"), m24}, {b, 0, ip("10.0.0.7"), 0}}
        << QVector<HeldAddress>{}
        << QStringList{"10.0.0.7 is planned for both 02:00:00:00:00:0A (line 2) and 02:00:00:00:00:0B"};
    QTest::newRow("network_address") << QVector<PlannedAddress>{{a, 4, ip("10.0.1.0"), m24}}
                                     << QVector<HeldAddress>{}
                                     << QStringList{"10.0.1.0 is the network address of its subnet (mask "
                                                    "255.255.255.0) for 02:00:00:00:00:0A (line 4)"};
    QTest::newRow("broadcast_address_wide_mask")
        << QVector<PlannedAddress>{{a, 0, ip("10.0.255.255"), ip("255.255.0.0")}} << QVector<HeldAddress>{}
        << QStringList{"10.0.255.255 is the broadcast address of its subnet (mask 255.255.0.0) for "
                       "02:00:00:00:00:0A"};
    QTest::newRow("x.x.x.255_in_wide_subnet")
        << QVector<PlannedAddress>{{a, 0, ip("10.0.1.255"), ip("255.255.0.0")}} << QVector<HeldAddress>{}
        << QStringList();
    QTest::newRow("mask_unknown") << QVector<PlannedAddress>{{a, 0, ip("10.0.1.255"), 0}}
                                  << QVector<HeldAddress>{} << QStringList();
    QTest::newRow("slash_31_has_neither")
        << QVector<PlannedAddress>{{a, 0, ip("10.0.0.0"), ip("255.255.255.254")}} << QVector<HeldAddress>{}
        << QStringList();
    QTest::newRow("held_by_outsider")
        << QVector<PlannedAddress>{{a, 2, ip("10.0.0.9"), m24}} << QVector<HeldAddress>{{c, ip("10.0.0.9")}}
        << QStringList{
               "10.0.0.9, planned for 02:00:00:00:00:0A (line 2), is held by 02:00:00:00:00:0C, which "
               "the plan does not move"};
    QTest::newRow("held_by_itself") << QVector<PlannedAddress>{{a, 2, ip("10.0.0.9"), m24}}
                                    << QVector<HeldAddress>{{a, ip("10.0.0.9")}} << QStringList();
    QTest::newRow("holder_moves_away")
        << QVector<PlannedAddress>{{a, 2, ip("10.0.0.9"), m24}, {c, 3, ip("10.0.0.10"), m24}}
        << QVector<HeldAddress>{{c, ip("10.0.0.9")}} << QStringList();
}

void tst_BatchPlan::conflicts()
{
    QFETCH(QVector<PlannedAddress>, planned);
    QFETCH(QVector<HeldAddress>, held);
    QFETCH(QStringList, problems);
    QCOMPARE(addressConflicts(planned) + occupiedAddresses(planned, held), problems);
}

namespace {

deviceReply listed(const QString &fw)
{
    deviceReply r;
    r.mac = QStringLiteral("02:51:00:00:00:41");
    r.ipv4 = QStringLiteral("192.168.0.41");
    r.port = QStringLiteral("15000");
    r.mask = QStringLiteral("255.255.255.0");
    r.gateway = QStringLiteral("192.168.0.1");
    r.dstIpv4 = QStringLiteral("192.168.0.200");
    r.dstPort = QStringLiteral("9000");
    r.sn = QStringLiteral("4101");
    r.fw = fw;
    return r;
}

} // namespace

// What the row asks for over the listed values, as the window's form would hold it.
void tst_BatchPlan::formFromRow()
{
    PlanRow row;
    row.gateway = QStringLiteral("192.168.0.254");
    const NetForm form = formFor(row, listed(QStringLiteral("8000")));
    QCOMPARE((QStringList{form.ipv4, form.port, form.mask, form.gateway, form.dstIp, form.dstPort, form.sn}),
             (QStringList{"192.168.0.41", "15000", "255.255.255.0", "192.168.0.254", "192.168.0.200", "9000",
                          "4101"}));
    QCOMPARE((QStringList{form.user, form.password}), (QStringList{"admin", "ovsel"}));
    QCOMPARE(formFor(row, listed(QStringLiteral("V5.2.10"))).password, QStringLiteral("7302916485"));
    row.user = QStringLiteral("installer");
    row.password = QStringLiteral("secret");
    QCOMPARE(formFor(row, listed(QStringLiteral("8000"))).user, QStringLiteral("installer"));
    QCOMPARE(expectedAddress(row, listed({})), QStringLiteral("192.168.0.41"));
    row.ip = QStringLiteral("192.168.0.60");
    row.port = QStringLiteral("15009");
    QCOMPARE(expectedAddress(row, listed({})), QStringLiteral("192.168.0.60"));
    QCOMPARE(expectedPort(row, listed({})), QStringLiteral("15009"));
}

void tst_BatchPlan::mismatches()
{
    PlanRow row;
    row.ip = QStringLiteral("192.168.0.41");
    row.mask = QStringLiteral("255.255.0.0");
    row.serverPort = QStringLiteral("9000");
    QCOMPARE(settingMismatches(row, listed({})), QStringList{"mask 255.255.255.0 (asked 255.255.0.0)"});
    row.mask.clear();
    QVERIFY(settingMismatches(row, listed({})).isEmpty());
}

void tst_BatchPlan::exitStatus_data()
{
    using O = BatchResult::Outcome;
    QTest::addColumn<QVector<int>>("outcomes");
    QTest::addColumn<int>("status");
    QTest::newRow("all_confirmed") << QVector<int>{int(O::Confirmed), int(O::Unchanged)} << 0;
    QTest::newRow("one_missing") << QVector<int>{int(O::Confirmed), int(O::NotFound)} << 1;
    QTest::newRow("unconfirmed_before_missing") << QVector<int>{int(O::NotFound), int(O::NotConfirmed)} << 5;
    QTest::newRow("failed_first") << QVector<int>{int(O::NotConfirmed), int(O::TradeFailed), int(O::NotFound)}
                                  << 4;
}

void tst_BatchPlan::exitStatus()
{
    QFETCH(QVector<int>, outcomes);
    QFETCH(int, status);
    QVector<BatchResult> results;
    for (const int outcome : outcomes) {
        BatchResult r;
        r.outcome = BatchResult::Outcome(outcome);
        results << r;
    }
    QCOMPARE(batchExitStatus(results), status);
}

QTEST_GUILESS_MAIN(tst_BatchPlan)
#include "tst_batchplan.moc"
