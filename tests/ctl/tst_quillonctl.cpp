// quillonctl end to end: the program itself, through its command line, against the simulator in
// the lab's two networks. Exit codes, what it prints for people and scripts, and what reaches
// the devices (the simulator's record of every datagram).
#include "support/devsimprocess.h"
#include "support/labenv.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

namespace {

const QString kUser = QStringLiteral("admin");
const QString kPassword = QStringLiteral("888888");
const QStringList kCredentials{"--user", kUser, "--password", kPassword};
constexpr int kRunTimeoutMs = 90000;

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run runInCLocale(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    for (const QString &key : environment.keys())
        env.insert(key, environment.value(key));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(kRunTimeoutMs))
        process.kill();
    process.waitForFinished();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString quillonctlPath()
{
    return lab::buildDir() + QStringLiteral("/ctl/quillonctl");
}

Run quillonctl(const QStringList &arguments, const QProcessEnvironment &environment = {})
{
    return runInCLocale(quillonctlPath(), arguments, environment);
}

// quillonctl with a terminal for its standard output and error (script(1) gives it a pseudo
// terminal); both come back in out.
Run quillonctlOnTerminal(const QStringList &arguments)
{
    QStringList quoted{quillonctlPath()};
    quoted += arguments;
    for (QString &word : quoted)
        word = QLatin1Char('\'') + word.replace(QLatin1Char('\''), QLatin1String("'\\''")) + QLatin1Char('\'');
    return runInCLocale(QStringLiteral("script"), {"-qec", quoted.join(QLatin1Char(' ')), "/dev/null"}, {});
}

QString describe(const Run &run)
{
    return QStringLiteral("exit %1\n--- stdout\n%2--- stderr\n%3").arg(run.exitCode).arg(run.out, run.err);
}

// One simulated device as its fleet entry says.
struct Device
{
    Device(QString family, QString mac, QString ip, int port = 15000, QString firmware = {},
           QString fault = {}, QString mask = QStringLiteral("255.255.255.0"))
        : family(std::move(family)), mac(std::move(mac)), ip(std::move(ip)), port(port),
          firmware(std::move(firmware)), fault(std::move(fault)), mask(std::move(mask))
    {
    }
    QString family;
    QString mac;
    QString ip;
    int port;
    QString firmware;
    QString fault;
    QString mask;
};

QByteArray fleetJson(const QVector<Device> &devices)
{
    QJsonArray list;
    int serial = 4100;
    for (const Device &d : devices) {
        QJsonObject o{{"family", d.family},
                      {"mac", d.mac},
                      {"ip", d.ip},
                      {"port", d.port},
                      {"mask", d.mask},
                      {"gateway", d.ip.section('.', 0, 2) + ".1"},
                      {"serverIp", "192.168.0.200"},
                      {"serverPort", 9000},
                      {"productCode", d.family == "201" ? "7480" : "8000"},
                      {"doors", 2},
                      {"udpUser", kUser},
                      {"udpPassword", kPassword},
                      {"webUser", kUser},
                      {"webPassword", kPassword}};
        if (d.family == "201") {
            o.insert("serial", QStringLiteral("A%1").arg(serial++ % 10000));
            o.insert("firmware", d.firmware.isEmpty() ? QStringLiteral("V1.2") : d.firmware);
        } else {
            o.insert("serial", QString::number(serial++));
            o.insert("deviceNumber", QStringLiteral("N%1").arg(serial % 10000));
            o.insert("ntpIp", "202.112.10.60");
        }
        if (d.family == "407enc") {
            o.insert("snid", "000102030405060708090a0b0c0d0e0f");
            o.insert("txid", "00000000000000fe");
        }
        if (!d.fault.isEmpty())
            o.insert("fault", d.fault);
        list.append(o);
    }
    return QJsonDocument(QJsonObject{{"devices", list}}).toJson();
}

QVector<Device> twoNetworkFleet()
{
    return {{"407", "02:51:00:00:00:31", "192.168.0.31"},
            {"407enc", "02:51:00:00:00:41", "192.168.0.41", 15002},
            {"201", "02:51:00:00:02:42", "192.168.0.242", 8080, "V5.2.10"},
            {"201", "02:51:00:00:77:21", "10.77.0.21"},
            {"407enc", "02:51:00:00:77:41", "10.77.0.41"}};
}

QJsonArray devicesOf(const Run &run)
{
    return QJsonDocument::fromJson(run.out.toUtf8()).object().value("devices").toArray();
}

QJsonObject deviceWithMac(const QJsonArray &devices, const QString &mac)
{
    for (const QJsonValue &d : devices)
        if (d.toObject().value("mac").toString() == mac)
            return d.toObject();
    return {};
}

} // namespace

class tst_Quillonctl : public QObject
{
    Q_OBJECT

private:
    // The simulator with this fleet and a record of every datagram it receives.
    bool startFleet(const QVector<Device> &devices, const QStringList &extra = {})
    {
        sim = std::make_unique<DevsimProcess>();
        fleetFile = dir.filePath("fleet.json");
        recordFile = dir.filePath("record.txt");
        QFile::remove(recordFile);
        QFile file(fleetFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(fleetJson(devices)) < 0)
            return false;
        file.close();
        return sim->start(QStringList{"--fleet", fleetFile, "--record", recordFile} + extra);
    }

    // Every datagram the simulator received, as hex.
    QStringList recorded() const
    {
        QTest::qWait(200);
        QFile file(recordFile);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }

    // A firewall table of the test's own in the pc namespace, dropped at cleanup.
    bool nft(const QString &rule)
    {
        QProcess::execute("nft", {"add", "table", "inet", "quillontest"});
        QProcess::execute("nft",
                          {"add chain inet quillontest input { type filter hook input priority 0 ; }"});
        return QProcess::execute("nft", QStringList{"add", "rule", "inet", "quillontest", "input"} +
                                            rule.split(' ')) == 0;
    }

    // The same on the devices' side, in the lan namespace.
    bool lanNft(const QString &rule)
    {
        const QStringList inLan{"netns", "exec", lab::env("QUILLON_LAB_LAN_NS"), "nft"};
        QProcess::execute("ip", inLan + QStringList{"add", "table", "inet", "quillontest"});
        QProcess::execute("ip", inLan + QStringList{"add chain inet quillontest input { type filter hook input "
                                                    "priority 0 ; }"});
        return QProcess::execute("ip", inLan + QStringList{"add", "rule", "inet", "quillontest", "input"} +
                                           rule.split(' ')) == 0;
    }

    QTemporaryDir dir;
    std::unique_ptr<DevsimProcess> sim;
    QString fleetFile;
    QString recordFile;

private slots:
    void cleanup()
    {
        sim.reset();
        QProcess::execute("nft", {"delete", "table", "inet", "quillontest"});
        QProcess::execute("ip", {"netns", "exec", lab::env("QUILLON_LAB_LAN_NS"), "nft", "delete", "table", "inet",
                                 "quillontest"});
    }

    void helpVersionAndLanguage()
    {
        const Run version = quillonctl({"--version"});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QStringLiteral("quillonctl " QUILLON_VERSION "\n"));
        const Run english = quillonctl({"set", "--help"});
        QCOMPARE(english.exitCode, 0);
        QVERIFY2(english.out.contains("--password-file") && english.out.contains("--confirm-wait"),
                 qPrintable(english.out));
        const Run chinese = quillonctl({"--help"}, [] {
            QProcessEnvironment env;
            env.insert("LANG", "zh_CN.UTF-8");
            return env;
        }());
        QCOMPARE(chinese.exitCode, 0);
        QVERIFY2(chinese.out.contains(QStringLiteral("用法")), qPrintable(chinese.out));
        const Run none = quillonctl({});
        QCOMPARE(none.exitCode, 2);
        QCOMPARE(quillonctl({"frobnicate"}).exitCode, 2);
    }

    void discoverTwoAdapters()
    {
        QVERIFY(startFleet(twoNetworkFleet()));
        const Run run = quillonctl({"discover", "--format", "json", "--repeat", "1"});
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        const QJsonArray devices = devicesOf(run);
        QCOMPARE(devices.size(), 5);
        const QJsonObject enc = deviceWithMac(devices, "02:51:00:00:77:41");
        QCOMPARE(enc.value("family").toString(), QStringLiteral("407enc"));
        QCOMPARE(enc.value("ip").toString(), QStringLiteral("10.77.0.41"));
        QCOMPARE(enc.value("port").toInt(), 15000);
        QCOMPARE(enc.value("mask").toString(), QStringLiteral("255.255.255.0"));
        QCOMPARE(enc.value("gateway").toString(), QStringLiteral("10.77.0.1"));
        QCOMPARE(enc.value("server_ip").toString(), QStringLiteral("192.168.0.200"));
        QCOMPARE(enc.value("server_port").toInt(), 9000);
        QCOMPARE(enc.value("ntp_ip").toString(), QStringLiteral("202.112.10.60"));
        QCOMPARE(enc.value("product_code").toString(), QStringLiteral("8000"));
        QCOMPARE(enc.value("doors").toInt(), 2);
        QCOMPARE(enc.value("snid").toString(), QStringLiteral("000102030405060708090a0b0c0d0e0f"));
        QCOMPARE(enc.value("adapter").toString(), lab::env("QUILLON_LAB_PC2_IF"));
        // One round: the group probe and the broadcast probe, each answered once.
        QCOMPARE(enc.value("replies").toInt(), 2);
        const QJsonObject old = deviceWithMac(devices, "02:51:00:00:02:42");
        QCOMPARE(old.value("family").toString(), QStringLiteral("201"));
        QCOMPARE(old.value("firmware").toString(), QStringLiteral("V5.2.10"));
        QCOMPARE(old.value("port").toInt(), 8080);
        QVERIFY(old.value("ntp_ip").toString().isEmpty() && old.value("snid").toString().isEmpty());
        QCOMPARE(old.value("adapter").toString(), lab::env("QUILLON_LAB_PC_IF"));
        QCOMPARE(deviceWithMac(devices, "02:51:00:00:77:21").value("adapter").toString(),
                 lab::env("QUILLON_LAB_PC2_IF"));

        // Only the second adapter: the devices of its network, each once.
        const Run second =
            quillonctl({"discover", "--format", "csv", "--adapter", lab::env("QUILLON_LAB_PC2_IP")});
        QVERIFY2(second.exitCode == 0, qPrintable(describe(second)));
        const QStringList lines = second.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("mac,family,ip,port,mask,gateway,server_ip,server_port,"));
        QVERIFY(lines[1].startsWith("02:51:00:00:77:21,201,10.77.0.21,15000,") ||
                lines[1].startsWith("02:51:00:00:77:41,407enc,10.77.0.41,"));

        const Run table = quillonctl({"discover", "--ip", "192.168.0.242"});
        QVERIFY2(table.exitCode == 0, qPrintable(describe(table)));
        QCOMPARE(table.out.count('\n'), 2);
        QVERIFY(table.out.contains("02:51:00:00:02:42"));
    }

    // A LAN that drops the limited broadcast and the group: only the subnets' own broadcast
    // addresses reach the devices, and only --directed sends to them.
    void discoverDirected()
    {
        QVERIFY(startFleet(twoNetworkFleet()));
        QVERIFY(lanNft("ip daddr 255.255.255.255 drop"));
        QVERIFY(lanNft("ip daddr 239.255.255.250 drop"));
        const QStringList discover{"discover", "--format", "json", "--repeat", "1", "--wait", "500"};
        const Run plain = quillonctl(discover);
        QVERIFY2(plain.exitCode == 1, qPrintable(describe(plain)));
        const Run directed = quillonctl(discover + QStringList{"--directed"});
        QVERIFY2(directed.exitCode == 0, qPrintable(describe(directed)));
        const QJsonArray devices = devicesOf(directed);
        QCOMPARE(devices.size(), 5);
        QCOMPARE(deviceWithMac(devices, "02:51:00:00:77:41").value("adapter").toString(),
                 lab::env("QUILLON_LAB_PC2_IF"));
        // One probe per adapter reached each device: its subnet's broadcast address.
        QCOMPARE(deviceWithMac(devices, "02:51:00:00:02:42").value("replies").toInt(), 1);
    }

    void discoverFindsNothing()
    {
        QCOMPARE(quillonctl({"discover", "--wait", "300", "--repeat", "1"}).exitCode, 1);
        const Run wrongAdapter = quillonctl({"discover", "--adapter", "no-such-adapter"});
        QCOMPARE(wrongAdapter.exitCode, 2);
        QVERIFY(wrongAdapter.err.contains("--adapter"));
    }

    void setEachFamily_data()
    {
        QTest::addColumn<QString>("mac");
        QTest::addColumn<QString>("newIp");
        QTest::addColumn<int>("trades");
        QTest::newRow("407") << "02:51:00:00:00:31"
                             << "192.168.0.131" << 8;
        QTest::newRow("407enc") << "02:51:00:00:00:41"
                                << "192.168.0.141" << 9;
        // Only the changed fields, each carrying the MAC: login, address, gateway, logout.
        QTest::newRow("201") << "02:51:00:00:02:42"
                             << "192.168.0.142" << 4;
        QTest::newRow("407enc_second_network") << "02:51:00:00:77:41"
                                               << "10.77.0.141" << 9;
    }

    void setEachFamily()
    {
        QFETCH(QString, mac);
        QFETCH(QString, newIp);
        QFETCH(int, trades);
        QVERIFY(startFleet(twoNetworkFleet()));
        const QString gateway = newIp.section('.', 0, 2) + ".254";
        const Run run =
            quillonctl(QStringList{"set", mac.toLower(), "--ip", newIp, "--gateway", gateway} + kCredentials);
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        QCOMPARE(run.out.count(QStringLiteral("accepted")), trades);
        QVERIFY(run.out.contains(QStringLiteral("[1/%1] 登录").arg(trades)));
        QVERIFY(run.out.contains(QStringLiteral("Confirmed: %1 answers at %2").arg(mac, newIp)));

        const QJsonObject seen =
            deviceWithMac(devicesOf(quillonctl({"discover", "--format", "json", "--ip", newIp})), mac);
        QCOMPARE(seen.value("gateway").toString(), gateway);
    }

    void setRefusedOrUnanswered_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("failure");
        QTest::newRow("refuse") << "refuse"
                                << "refused: 登录";
        QTest::newRow("late") << "late"
                              << "timed out: 登录";
    }

    void setRefusedOrUnanswered()
    {
        QFETCH(QString, fault);
        QFETCH(QString, failure);
        QVERIFY(startFleet({Device("407", "02:51:00:00:00:31", "192.168.0.31", 15000, {}, fault)}));
        // A late device answers the search late too: wait for it.
        const Run run = quillonctl(QStringList{"set", "02:51:00:00:00:31", "--port", "15010", "--timeout",
                                               "1000", "--wait", "9000"} +
                                   kCredentials);
        QVERIFY2(run.exitCode == 4, qPrintable(describe(run)));
        QVERIFY2(run.err.contains(failure), qPrintable(describe(run)));
        QVERIFY(!run.out.contains("Confirmed"));
    }

    void setNotConfirmed()
    {
        QVERIFY(startFleet(twoNetworkFleet()));
        // The device moves, but nothing from its new address reaches this PC any more.
        QVERIFY(nft("ip saddr 192.168.0.77 drop"));
        const Run run = quillonctl(
            QStringList{"set", "02:51:00:00:00:31", "--ip", "192.168.0.77", "--confirm-wait", "1500"} +
            kCredentials);
        QVERIFY2(run.exitCode == 5, qPrintable(describe(run)));
        QCOMPARE(run.out.count(QStringLiteral("accepted")), 8);
        QVERIFY(run.err.contains("Not confirmed"));
    }

    void badInputSendsNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("probed"); // the search ran: only probes reached the devices
        const QStringList enc{"set", "02:51:00:00:00:41"};
        QTest::newRow("malformed_mac") << QStringList{"set", "02:51:00:00:41", "--ip", "192.168.0.50"} << 2
                                       << "MAC: \"02:51:00:00:41\" is not a MAC address" << false;
        QTest::newRow("group_mac") << QStringList{"set", "01:00:5e:00:00:01", "--ip", "192.168.0.50"} << 2
                                   << "group or empty MAC address" << false;
        QTest::newRow("part_above_255") << enc + QStringList{"--ip", "192.168.0.300"} << 2
                                        << "--ip: \"192.168.0.300\": part 4 (300) is above 255" << false;
        QTest::newRow("port_70000") << enc + QStringList{"--port", "70000"} << 2
                                    << "--port: \"70000\" is not a port" << false;
        QTest::newRow("nothing_to_change") << enc << 2 << "nothing to change" << false;
        QTest::newRow("credential_too_long_for_any")
            << enc + QStringList{"--port", "15001", "--user", "admin", "--password", QString(32, 'p')} << 2
            << "--password: 32 bytes long" << false;
        QTest::newRow("broadcast_with_mask")
            << enc + QStringList{"--ip", "10.1.2.255", "--mask", "255.255.255.0"} << 2
            << "10.1.2.255 is the broadcast address" << false;
        QTest::newRow("credential_too_long_for_family")
            << enc + QStringList{"--port", "15001", "--user", "admin", "--password", QString(17, 'p')} << 2
            << "password: 17 bytes long in UTF-8; this device's login carries at most 16" << true;
        QTest::newRow("network_with_current_mask")
            << enc + QStringList{"--ip", "192.168.0.0"} << 2 << "192.168.0.0 is the network address" << true;
        QTest::newRow("address_of_another_device")
            << enc + QStringList{"--ip", "192.168.0.31"} << 2 << "held by 02:51:00:00:00:31" << true;
        QTest::newRow("unknown_mac") << QStringList{"set", "02:51:00:00:99:99", "--port", "15001"} << 1
                                     << "No device with MAC 02:51:00:00:99:99 answered" << true;
        QTest::newRow("plan_unreadable")
            << QStringList{"batch", "/nonexistent/plan.csv"} << 2 << "cannot read" << false;
    }

    void badInputSendsNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(bool, probed);
        QVERIFY(startFleet(twoNetworkFleet()));
        const Run run = quillonctl(arguments + QStringList{"--wait", "500"});
        QVERIFY2(run.exitCode == exitCode, qPrintable(describe(run)));
        QVERIFY2(run.err.contains(message), qPrintable(describe(run)));
        const QStringList datagrams = recorded();
        if (probed)
            QVERIFY(!datagrams.isEmpty());
        for (const QString &datagram : datagrams)
            QCOMPARE(datagram, QStringLiteral("59")); // the probe "Y", nothing else
        if (!probed)
            QVERIFY(datagrams.isEmpty());
    }

    void badPlansSendNothing_data()
    {
        QTest::addColumn<QByteArray>("plan");
        QTest::addColumn<QString>("message");
        QTest::newRow("one_address_twice")
            << QByteArray("mac,ip\n02:51:00:00:00:31,192.168.0.90\n02:51:00:00:00:41,192.168.0.90\n")
            << "192.168.0.90 is planned for both 02:51:00:00:00:31 (line 2) and 02:51:00:00:00:41 (line 3)";
        QTest::newRow("broadcast_address")
            << QByteArray("mac,ip,mask\n02:51:00:00:00:31,10.0.255.255,255.255.0.0\n")
            << "10.0.255.255 is the broadcast address";
        QTest::newRow("malformed_value")
            << QByteArray("mac,port\n02:51:00:00:00:31,70000\n") << "line 2, column port";
        QTest::newRow("malformed_csv") << QByteArray("mac,ip\n\"02:51:00:00:00:31,10.0.0.5\n")
                                       << "line 2, field 1: the quoted field is never closed";
        QTest::newRow("unknown_column")
            << QByteArray("mac,adress\n02:51:00:00:00:31,10.0.0.5\n") << "unknown column \"adress\"";
    }

    void badPlansSendNothing()
    {
        QFETCH(QByteArray, plan);
        QFETCH(QString, message);
        QVERIFY(startFleet(twoNetworkFleet()));
        const Run run = quillonctl({"batch", writeFile("plan.csv", plan)});
        QVERIFY2(run.exitCode == 2, qPrintable(describe(run)));
        QVERIFY2(run.err.contains(message), qPrintable(describe(run)));
        QVERIFY(recorded().isEmpty());
    }

    void batchAcrossFamilies()
    {
        // 48 devices of the three families, one that refuses and one whose answers come too late.
        QVector<Device> fleet;
        const QStringList families{"407", "407enc", "201"};
        QByteArray plan("MAC,IP,Gateway\r\n");
        for (int i = 0; i < 50; ++i) {
            Device d(families[i % 3],
                     QStringLiteral("02:51:00:00:10:%1").arg(i, 2, 16, QLatin1Char('0')).toUpper(),
                     QStringLiteral("192.168.0.%1").arg(20 + i));
            if (i == 10)
                d.fault = "refuse";
            if (i == 20)
                d.fault = "late";
            fleet << d;
            plan += d.mac.toLatin1() + ",192.168.0." + QByteArray::number(100 + i) + ",192.168.0.254\r\n";
        }
        plan += "02:51:00:00:99:99,192.168.0.99,\r\n"; // never answers at all
        QVERIFY(startFleet(fleet));
        const QString report = dir.filePath("report.json");
        const Run run = quillonctl(QStringList{"batch", writeFile("site.csv", plan), "--report", report,
                                               "--timeout", "1500", "--wait", "9500"} +
                                   kCredentials);
        QVERIFY2(run.exitCode == 4, qPrintable(describe(run)));

        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(json.value("exit_code").toInt(), 4);
        const QJsonArray devices = json.value("devices").toArray();
        QCOMPARE(devices.size(), 51);
        QMap<QString, int> outcomes;
        for (const QJsonValue &v : devices)
            ++outcomes[v.toObject().value("result").toString()];
        QCOMPARE(outcomes.value("confirmed"), 48);
        QCOMPARE(outcomes.value("trade_failed"), 2);
        QCOMPARE(outcomes.value("not_found"), 1);
        const QJsonObject refusing = devices[10].toObject();
        QCOMPARE(refusing.value("line").toInt(), 12);
        QVERIFY(refusing.value("detail").toString().contains(QStringLiteral("refused: 登录")));
        QVERIFY(
            devices[20].toObject().value("detail").toString().contains(QStringLiteral("timed out: 登录")));
        const QJsonObject moved = devices[0].toObject();
        QCOMPARE(moved.value("ip_before").toString(), QStringLiteral("192.168.0.20"));
        QCOMPARE(moved.value("ip_after").toString(), QStringLiteral("192.168.0.100"));
        QCOMPARE(moved.value("port_after").toInt(), 15000);
        // Not on a terminal: one plain line per device as it finishes, then the table.
        const QRegularExpression plainLine(
            QStringLiteral("^02:51:00:00:10:[0-9A-F]{2}  confirmed  answers at"),
            QRegularExpression::MultilineOption);
        int plainLines = 0;
        for (QRegularExpressionMatchIterator it = plainLine.globalMatch(run.out); it.hasNext(); it.next())
            ++plainLines;
        QCOMPARE(plainLines, 48);

        // Each confirmed device answers at its new address with the new gateway.
        const QJsonArray now = devicesOf(quillonctl({"discover", "--format", "json"}));
        int atNewAddress = 0;
        for (const QJsonValue &v : now) {
            const QJsonObject d = v.toObject();
            const int last = d.value("ip").toString().section('.', 3).toInt();
            if (last >= 100 && last < 150 && d.value("gateway").toString() == "192.168.0.254")
                ++atNewAddress;
        }
        QCOMPARE(atNewAddress, 48);
    }

    void batchRange()
    {
        QVERIFY(startFleet(twoNetworkFleet()));
        const Run run =
            quillonctl(QStringList{"batch", "--start-ip", "192.168.0.60", "--step", "5", "02:51:00:00:02:42",
                                   "025100000031", "02-51-00-00-00-41", "--mask", "255.255.0.0"} +
                       kCredentials);
        QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
        const QJsonArray devices = devicesOf(quillonctl({"discover", "--format", "json"}));
        QCOMPARE(deviceWithMac(devices, "02:51:00:00:02:42").value("ip").toString(),
                 QStringLiteral("192.168.0.60"));
        QCOMPARE(deviceWithMac(devices, "02:51:00:00:00:31").value("ip").toString(),
                 QStringLiteral("192.168.0.65"));
        QCOMPARE(deviceWithMac(devices, "02:51:00:00:00:41").value("mask").toString(),
                 QStringLiteral("255.255.0.0"));
    }

    void webDatetimeAndUpload()
    {
        QVERIFY(startFleet(twoNetworkFleet()));
        const QString mac = QStringLiteral("02:51:00:00:02:42");
        const Run read = quillonctl(QStringList{"web", mac, "datetime"} + kCredentials);
        QVERIFY2(read.exitCode == 0, qPrintable(describe(read)));
        QVERIFY(read.out.contains("Date and time: " + QDate::currentDate().toString("yyyy-MM-dd")));

        const Run set = quillonctl(
            QStringList{"web", mac, "datetime", "--set", "2030-01-02 03:04:05", "--ntp", "10.0.0.123"} +
            kCredentials);
        QVERIFY2(set.exitCode == 0, qPrintable(describe(set)));
        QVERIFY(set.out.contains("Confirmed: the device shows 2030-01-02 03:04:"));
        const Run again = quillonctl(QStringList{"web", mac, "datetime"} + kCredentials);
        QVERIFY(again.out.contains("Date and time: 2030-01-02 03:0"));
        QVERIFY(again.out.contains("NTP: on, server 10.0.0.123"));

        const QString firmware = writeFile("V5.2.11.zip", QByteArray(300000, 'f'));
        const Run upload = quillonctl(QStringList{"web", mac, "upload", firmware} + kCredentials);
        QVERIFY2(upload.exitCode == 0, qPrintable(describe(upload)));
        QVERIFY(upload.out.contains("Uploaded V5.2.11.zip (300000 bytes)"));
        QVERIFY2(!upload.err.contains(QLatin1Char('[')), qPrintable(upload.err));
        // On a terminal the progress bar is redrawn in place up to the whole request (the file
        // and its form part's headers).
        const Run shown = quillonctlOnTerminal(QStringList{"web", mac, "upload", firmware} + kCredentials);
        QVERIFY2(shown.exitCode == 0, qPrintable(describe(shown)));
        const QRegularExpressionMatch whole =
            QRegularExpression(QStringLiteral("\\r\\[#{30}\\] 100%  (\\d+)/\\1 bytes")).match(shown.out);
        QVERIFY2(whole.hasMatch() && whole.captured(1).toInt() > 300000, qPrintable(describe(shown)));
        QVERIFY(shown.out.contains("Uploaded V5.2.11.zip (300000 bytes)"));

        const Run wrong = quillonctl({"web", mac, "datetime", "--user", "admin", "--password", "wrong"});
        QVERIFY2(wrong.exitCode == 4, qPrintable(describe(wrong)));
        QVERIFY(wrong.err.contains("refused the user name or password"));
        const Run noWeb = quillonctl(QStringList{"web", "02:51:00:00:77:21", "datetime"} + kCredentials);
        QVERIFY2(noWeb.exitCode == 2, qPrintable(describe(noWeb)));
    }

    void doctorFindings()
    {
        QVERIFY(startFleet(
            twoNetworkFleet() +
            QVector<Device>{Device("407", "02:51:00:00:05:05", "172.16.5.5", 15000, {}, {}, "255.255.0.0")}));
        const Run healthy = quillonctl({"doctor"});
        QVERIFY2(healthy.exitCode == 0, qPrintable(describe(healthy)));
        QVERIFY(healthy.out.contains(QStringLiteral("[ok] adapter %1: 192.168.0.10/255.255.255.0 qualifies")
                                         .arg(lab::env("QUILLON_LAB_PC_IF"))));
        QVERIFY(healthy.out.contains(
            QStringLiteral("[ok] probe %1: 4 device(s) answered").arg(lab::env("QUILLON_LAB_PC_IF"))));
        QVERIFY(healthy.out.contains(
            QStringLiteral("[ok] probe %1: 2 device(s) answered").arg(lab::env("QUILLON_LAB_PC2_IF"))));
        QVERIFY2(healthy.out.contains(
                     "[problem] device 02:51:00:00:05:05: 02:51:00:00:05:05 at 172.16.5.5 answers "
                     "through " +
                     lab::env("QUILLON_LAB_PC_IF")),
                 qPrintable(healthy.out));
        QVERIFY(healthy.out.contains("ip addr add 172.16.255.254/16 dev " + lab::env("QUILLON_LAB_PC_IF")));

        // Another program holds the port; doctor names it and sends nothing.
        {
            QUdpSocket holder;
            QVERIFY(holder.bind(QHostAddress::AnyIPv4, 15367, QUdpSocket::DontShareAddress));
            const Run held = quillonctl({"doctor"});
            QVERIFY2(held.exitCode == 3, qPrintable(describe(held)));
            QVERIFY2(held.out.contains(QStringLiteral("it is held by tst_quillonctl (pid %1)")
                                           .arg(QCoreApplication::applicationPid())),
                     qPrintable(held.out));
            const Run discover = quillonctl({"discover"});
            QVERIFY2(discover.exitCode == 3 && discover.err.contains("Cannot listen for replies"),
                     qPrintable(describe(discover)));
        }
        // Held on one adapter only: the search goes on through the other, and says so.
        {
            QUdpSocket holder;
            QVERIFY(holder.bind(QHostAddress(lab::env("QUILLON_LAB_PC2_IP")), 15367,
                                QUdpSocket::DontShareAddress));
            const Run partial = quillonctl({"discover", "--format", "json"});
            QVERIFY2(partial.exitCode == 0 &&
                         partial.err.contains("Searching without:\n" + lab::env("QUILLON_LAB_PC2_IF")),
                     qPrintable(describe(partial)));
            QCOMPARE(devicesOf(partial).size(), 4);
        }
        const Run loopback = quillonctl({"discover", "--adapter", "127.0.0.1"});
        QVERIFY2(loopback.exitCode == 3 && loopback.err.contains("No adapter to search through"),
                 qPrintable(describe(loopback)));

        QVERIFY(nft("udp dport 15367 drop"));
        const Run walled = quillonctl({"doctor"});
        QVERIFY2(walled.exitCode == 1, qPrintable(describe(walled)));
        QVERIFY2(walled.out.contains("[problem] firewall: nftables: chain inet quillontest input drops UDP "
                                     "datagrams to port 15367"),
                 qPrintable(walled.out));
        QVERIFY(walled.out.contains("[problem] probe: no device answered"));
    }
};

QTEST_GUILESS_MAIN(tst_Quillonctl)
#include "tst_quillonctl.moc"
