// doctor's readings of the machine, from fixed texts: who holds the discovery port, which
// firewall rules drop a device's reply, where the multicast probe goes, and reverse-path
// filtering. The /proc samples are those of a little-endian host.
#include "ctl/doctor/firewallrules.h"
#include "ctl/doctor/routecheck.h"
#include "ctl/doctor/subnetcheck.h"
#include "ctl/doctor/udpportusers.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr quint16 kPort = 15367;

const char kProcNetUdp[] =
    "   sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode ref "
    "pointer drops\n"
    "  411: 0A00A8C0:3C07 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        0 51234 2 "
    "0000000000000000 0\n"
    "  900: 0100007F:0035 00000000:0000 07 00000000:00000000 00:00000000 00000000   101        0 999 2 "
    "0000000000000000 0\n"
    "  10: 00000000000000000000000001000000:3C07 00000000000000000000000000000000:0000 07 00000000:00000000 "
    "00:00000000 00000000     0        0 777 2 0000000000000000 0\n"
    "garbage line\n";

// One input chain of the inet family with the given policy and rules (their "expr" arrays).
QByteArray ruleset(const char *policy, const QStringList &rules, const char *hook = "input")
{
    QByteArray json = QByteArray("{\"nftables\":[{\"metainfo\":{\"json_schema_version\":1}},"
                                 "{\"table\":{\"family\":\"inet\",\"name\":\"filter\",\"handle\":1}},"
                                 "{\"chain\":{\"family\":\"inet\",\"table\":\"filter\",\"name\":\"input\","
                                 "\"handle\":1,\"type\":\"filter\",\"hook\":\"") +
                      hook + "\",\"prio\":0,\"policy\":\"" + policy + "\"}}";
    int handle = 2;
    for (const QString &expr : rules)
        json += ",{\"rule\":{\"family\":\"inet\",\"table\":\"filter\",\"chain\":\"input\",\"handle\":" +
                QByteArray::number(handle++) + ",\"expr\":" + expr.toUtf8() + "}}";
    return json + "]}";
}

const QString udpDport = QStringLiteral("{\"match\":{\"op\":\"==\",\"left\":{\"payload\":{\"protocol\":"
                                        "\"udp\",\"field\":\"dport\"}},\"right\":%1}}");
const QString drop = QStringLiteral("{\"drop\":null}");
const QString accept = QStringLiteral("{\"accept\":null}");

QString rule(const QStringList &statements)
{
    return QLatin1Char('[') + statements.join(QLatin1Char(',')) + QLatin1Char(']');
}

QString summary(const QVector<Finding> &findings)
{
    QStringList texts;
    for (const Finding &f : findings)
        texts << QString::number(int(f.level)) + QLatin1Char(' ') + f.text;
    return texts.join(QLatin1Char('\n'));
}

} // namespace

class tst_DoctorChecks : public QObject
{
    Q_OBJECT
private slots:
    void procNetUdp();
    void socketUsersFromFds();
    void port_data();
    void port();
    void nft_data();
    void nft();
    void iptables_data();
    void iptables();
    void multicastRoute_data();
    void multicastRoute();
    void rpFilter();
    void deviceOutsideSubnets();
};

void tst_DoctorChecks::procNetUdp()
{
    const QVector<UdpSocketEntry> entries = parseProcNetUdp(QString::fromLatin1(kProcNetUdp));
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[0].localAddress, QStringLiteral("192.168.0.10"));
    QCOMPARE(entries[0].localPort, quint16(15367));
    QCOMPARE(entries[0].inode, quint64(51234));
    QCOMPARE(entries[1].localAddress, QStringLiteral("127.0.0.1"));
    QCOMPARE(entries[1].localPort, quint16(53));
    QCOMPARE(entries[2].localAddress, QStringLiteral("0000:0000:0000:0000:0000:0000:0000:0001"));
    QCOMPARE(entries[2].inode, quint64(777));
}

void tst_DoctorChecks::socketUsersFromFds()
{
    QTemporaryDir proc;
    QVERIFY(proc.isValid());
    const auto process = [&](const char *pid, const char *comm, const QStringList &links) {
        QDir(proc.path()).mkpath(QStringLiteral("%1/fd").arg(pid));
        QFile file(proc.filePath(QStringLiteral("%1/comm").arg(pid)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(comm);
        for (int fd = 0; fd < links.size(); ++fd)
            QVERIFY(QFile::link(links[fd], proc.filePath(QStringLiteral("%1/fd/%2").arg(pid).arg(fd))));
    };
    process("100", "quillon\n", {"/dev/null", "socket:[51234]", "socket:[4]"});
    process("200", "other\n", {"socket:[1]"});
    process("self", "skipped\n", {"socket:[51234]"});
    const QVector<SocketUser> users = socketUsers(proc.path(), {51234, 777});
    QCOMPARE(users.size(), 1);
    QCOMPARE(users[0].pid, qint64(100));
    QCOMPARE(users[0].command, QStringLiteral("quillon"));
    QCOMPARE(users[0].inode, quint64(51234));
}

void tst_DoctorChecks::port_data()
{
    QTest::addColumn<bool>("bound");
    QTest::addColumn<bool>("withUser");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("text");
    QTest::newRow("held") << false << true << int(Finding::Level::Problem)
                          << "cannot be bound (Address in use); it is held by quillon (pid 100)";
    QTest::newRow("held_unseen")
        << false << false << int(Finding::Level::Problem)
        << "held on 192.168.0.10, 0000:0000:0000:0000:0000:0000:0000:0001 by a process";
    QTest::newRow("shared") << true << true << int(Finding::Level::Note)
                            << "but quillon (pid 100) also listens";
}

void tst_DoctorChecks::port()
{
    QFETCH(bool, bound);
    QFETCH(bool, withUser);
    QFETCH(int, level);
    QFETCH(QString, text);
    const QVector<SocketUser> users =
        withUser ? QVector<SocketUser>{{100, QStringLiteral("quillon"), 51234}} : QVector<SocketUser>{};
    const Finding f = portFinding(kPort, bound, QStringLiteral("Address in use"),
                                  parseProcNetUdp(QString::fromLatin1(kProcNetUdp)), users);
    QCOMPARE(int(f.level), level);
    QVERIFY2(f.text.contains(text), qPrintable(f.text));
    QVERIFY(!f.advice.isEmpty());
    QCOMPARE(int(portFinding(kPort, true, {}, {}, {}).level), int(Finding::Level::Ok));
}

void tst_DoctorChecks::nft_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("findings"); // level and text, one finding per line
    const QString ctState =
        QStringLiteral("{\"match\":{\"op\":\"in\",\"left\":{\"ct\":{\"key\":\"state\"}},\"right\":%1}}");
    const QString tcp22 = QStringLiteral("{\"match\":{\"op\":\"==\",\"left\":{\"payload\":{\"protocol\":"
                                         "\"tcp\",\"field\":\"dport\"}},\"right\":22}}");
    const QString iif = QStringLiteral(
        "{\"match\":{\"op\":\"==\",\"left\":{\"meta\":{\"key\":\"iifname\"}},\"right\":\"eth1\"}}");
    QTest::newRow("drop_port")
        << ruleset("accept", {rule({udpDport.arg(15367), drop})})
        << "2 nftables: chain inet filter input drops UDP datagrams to port 15367: handle 2";
    QTest::newRow("drop_port_set_range")
        << ruleset("accept", {rule({udpDport.arg("{\"set\":[53,{\"range\":[15000,15400]}]}"), drop})})
        << "2 nftables: chain inet filter input drops UDP datagrams to port 15367: handle 2";
    QTest::newRow("drop_all")
        << ruleset("accept", {rule({"{\"counter\":{\"packets\":0,\"bytes\":0}}", drop})})
        << "2 nftables: chain inet filter input drops UDP datagrams to port 15367: handle 2";
    QTest::newRow("drop_on_interface") << ruleset("accept", {rule({iif, drop})})
                                       << "2 nftables: chain inet filter input drops UDP datagrams to port "
                                          "15367 when it arrives on eth1: handle 2";
    QTest::newRow("other_port_invalid_state")
        << ruleset("accept", {rule({ctState.arg("\"invalid\""), drop}), rule({tcp22, drop}),
                              rule({udpDport.arg(53), drop})})
        << "";
    QTest::newRow("policy_drop_port_accepted")
        << ruleset("drop", {rule({ctState.arg("[\"established\",\"related\"]"), accept}),
                            rule({udpDport.arg(15367), accept})})
        << "";
    QTest::newRow("policy_drop_only_established")
        << ruleset("drop", {rule({ctState.arg("[\"established\",\"related\"]"), accept})})
        << "2 nftables: chain inet filter input drops what it does not accept, and nothing accepts UDP to "
           "port 15367";
    QTest::newRow("accepted_before_drop")
        << ruleset("accept", {rule({udpDport.arg(15367), accept}), rule({drop})}) << "";
    QTest::newRow("output_hook") << ruleset("drop", {rule({drop})}, "output") << "";
    QTest::newRow("not_json") << QByteArray("nft: command not found") << "";
}

void tst_DoctorChecks::nft()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, findings);
    QCOMPARE(summary(nftFindings(json, kPort)), findings);
}

void tst_DoctorChecks::iptables_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("findings");
    const QString head = QStringLiteral("# Generated by iptables-save\n*nat\n:PREROUTING ACCEPT [0:0]\n"
                                        "-A PREROUTING -p udp -j DROP\nCOMMIT\n*filter\n");
    QTest::newRow("drop_port")
        << head + ":INPUT ACCEPT [0:0]\n-A INPUT -p udp -m udp --dport 15367 -j DROP\nCOMMIT\n"
        << "2 iptables: chain INPUT drops UDP datagrams to port 15367: "
           "-A INPUT -p udp -m udp --dport 15367 -j DROP";
    QTest::newRow("reject_from_source")
        << head + ":INPUT ACCEPT [0:0]\n-A INPUT -s 10.0.0.0/8 -p udp -m comment --comment \"no lab, ever\" "
                  "--dport 15367 -j REJECT --reject-with icmp-port-unreachable\nCOMMIT\n"
        << "2 iptables: chain INPUT drops UDP datagrams to port 15367 when saddr == 10.0.0.0/8: -A INPUT -s "
           "10.0.0.0/8 -p udp -m comment --comment \"no lab, ever\" --dport 15367 -j REJECT --reject-with "
           "icmp-port-unreachable";
    QTest::newRow("policy_drop_range_accepted")
        << head +
               ":INPUT DROP [0:0]\n-A INPUT -p udp -m multiport --dports 53,15000:15400 -j ACCEPT\nCOMMIT\n"
        << "";
    QTest::newRow("policy_drop_established")
        << head + ":INPUT DROP [0:0]\n-A INPUT -m conntrack --ctstate RELATED,ESTABLISHED -j ACCEPT\n"
                  "-A INPUT -p tcp -m tcp --dport 22 -j DROP\nCOMMIT\n"
        << "2 iptables: chain INPUT drops what it does not accept, and nothing accepts UDP to port 15367";
    QTest::newRow("negated_protocol") << head + ":INPUT ACCEPT [0:0]\n-A INPUT ! -p udp -j DROP\nCOMMIT\n"
                                      << "";
}

void tst_DoctorChecks::iptables()
{
    QFETCH(QString, saved);
    QFETCH(QString, findings);
    QCOMPARE(summary(iptablesFindings(saved, kPort, QStringLiteral("iptables"))), findings);
}

void tst_DoctorChecks::multicastRoute_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("text");
    const QString head =
        QStringLiteral("Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
                       "eth0\t00000000\t0100A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
                       "eth0\t0000A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n");
    QTest::newRow("default_route") << head << int(Finding::Level::Ok)
                                   << "leaves through eth0 through gateway 192.168.0.1";
    QTest::newRow("group_route_wins") << head + "eth0\t000000E0\t00000000\t0001\t0\t0\t0\t000000F0\t0\t0\t0\n"
                                      << int(Finding::Level::Ok) << "leaves through eth0";
    QTest::newRow("through_vpn") << head + "tun0\t000000E0\t00000000\t0001\t0\t0\t0\t000000F0\t0\t0\t0\n"
                                 << int(Finding::Level::Note)
                                 << "leaves through tun0, which is not an adapter";
    QTest::newRow("lower_metric_wins")
        << head + "tun0\t000000E0\t00000000\t0001\t0\t0\t50\t000000F0\t0\t0\t0\n"
                  "eth0\t000000E0\t00000000\t0001\t0\t0\t10\t000000F0\t0\t0\t0\n"
        << int(Finding::Level::Ok) << "leaves through eth0";
    QTest::newRow("none") << QString(head).section(QLatin1Char('\n'), 0, 0) << int(Finding::Level::Problem)
                          << "no route covers 239.255.255.250";
}

void tst_DoctorChecks::multicastRoute()
{
    QFETCH(QString, table);
    QFETCH(int, level);
    QFETCH(QString, text);
    const Finding f = multicastRouteFinding(parseProcNetRoute(table), {QStringLiteral("eth0")});
    QCOMPARE(int(f.level), level);
    QVERIFY2(f.text.contains(text), qPrintable(f.text));
    QCOMPARE(f.advice.isEmpty(), level == int(Finding::Level::Ok));
}

void tst_DoctorChecks::rpFilter()
{
    const QVector<Finding> two = rpFilterFindings(0, {{"eth0", 1}, {"eth1", 2}}, "eth0");
    QCOMPARE(summary(two),
             QStringLiteral("2 eth0: strict reverse-path filtering drops replies from devices whose "
                            "address is routed through another adapter (a device outside eth0's "
                            "subnet)\n0 eth1: reverse-path filtering is loose (not strict)"));
    QVERIFY(two[0].advice.contains(QLatin1String("net.ipv4.conf.eth0.rp_filter=2")));
    // "all" raises every adapter; one adapter carrying the default route loses nothing to it.
    QCOMPARE(int(rpFilterFindings(1, {{"eth0", 0}}, "eth0").value(0).level), int(Finding::Level::Note));
    QCOMPARE(int(rpFilterFindings(1, {{"eth1", 0}}, "eth0").value(0).level), int(Finding::Level::Problem));
}

void tst_DoctorChecks::deviceOutsideSubnets()
{
    const QVector<AdapterSubnet> subnets{{"eth0", 0xC0A8000A, 0xFFFFFF00}, {"eth1", 0x0A4D000A, 0xFFFFFF00}};
    QCOMPARE(int(subnetFinding("02:51:00:00:00:31", 0x0A4D001F, 0xFFFFFF00, "eth1", subnets).level),
             int(Finding::Level::Ok));
    const Finding outside = subnetFinding("02:51:00:00:05:05", 0xAC100505, 0xFFFF0000, "eth0", subnets);
    QCOMPARE(int(outside.level), int(Finding::Level::Problem));
    QCOMPARE(outside.text,
             QStringLiteral("02:51:00:00:05:05 at 172.16.5.5 answers through eth0 but lies outside every "
                            "adapter's subnet (192.168.0.0/24, 10.77.0.0/24): trades to the 407 "
                            "families go to its own address, through the default route"));
    QVERIFY(
        outside.advice.startsWith(QLatin1String("Give eth0 an address of the device's subnet (ip addr add "
                                                "172.16.255.254/16 dev eth0)")));
    // A device that reports no usable mask is read as /24; its own address is never suggested.
    QVERIFY(
        subnetFinding("m", 0xAC1005FE, 0, "eth0", subnets).advice.contains(QLatin1String("172.16.5.253/24")));
}

QTEST_GUILESS_MAIN(tst_DoctorChecks)
#include "tst_doctorchecks.moc"
