// quillonctl's argument readers: what each accepts, its canonical form, and that every refusal
// names the field.
#include "ctl/args/adapterpick.h"
#include "ctl/args/addressargs.h"
#include "ctl/args/credentiallimit.h"
#include "ctl/args/macaddress.h"
#include "ctl/plan/addressallocation.h"

#include <QtTest>

class tst_CtlArguments : public QObject
{
    Q_OBJECT
private slots:
    void mac_data();
    void mac();
    void addresses_data();
    void addresses();
    void credentials_data();
    void credentials();
    void allocation_data();
    void allocation();
    void adapters_data();
    void adapters();
};

void tst_CtlArguments::mac_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: refused
    QTest::newRow("colons") << "00:1a:2b:3c:4d:5e"
                            << "00:1A:2B:3C:4D:5E";
    QTest::newRow("hyphens") << "00-1A-2B-3C-4D-5E"
                             << "00:1A:2B:3C:4D:5E";
    QTest::newRow("bare") << "021A2B3C4D5E"
                          << "02:1A:2B:3C:4D:5E";
    QTest::newRow("blanks_around") << "  02:51:00:00:00:41 "
                                   << "02:51:00:00:00:41";
    QTest::newRow("mixed_separators") << "00:1A-2B:3C:4D:5E"
                                      << "";
    QTest::newRow("five_pairs") << "00:1A:2B:3C:4D"
                                << "";
    QTest::newRow("single_digits") << "0:1A:2B:3C:4D:5E"
                                   << "";
    QTest::newRow("not_hex") << "00:1A:2B:3C:4D:5G"
                             << "";
    QTest::newRow("thirteen_digits") << "001A2B3C4D5E0"
                                     << "";
    QTest::newRow("group_address") << "01:00:5E:7F:FF:FA"
                                   << "";
    QTest::newRow("broadcast") << "FF:FF:FF:FF:FF:FF"
                               << "";
    QTest::newRow("zeros") << "00:00:00:00:00:00"
                           << "";
}

void tst_CtlArguments::mac()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const Checked<QString> mac = parseMac(QStringLiteral("MAC"), text);
    QCOMPARE(mac.ok(), !expected.isEmpty());
    if (mac.ok())
        QCOMPARE(mac.value, expected);
    else
        QVERIFY2(mac.error.startsWith(QLatin1String("MAC: ")), qPrintable(mac.error));
}

void tst_CtlArguments::addresses_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<uint>("value");
    QTest::addColumn<QString>("errorPart"); // a piece the refusal must contain
    QTest::newRow("ip") << "ip"
                        << "192.168.0.10" << true << 0xC0A8000Au << "";
    QTest::newRow("ip_leading_zeros") << "ip"
                                      << "192.168.000.010" << true << 0xC0A8000Au << "";
    QTest::newRow("ip_part_above_255") << "ip"
                                       << "192.168.1.300" << false << 0u << "part 4 (300) is above 255";
    QTest::newRow("ip_empty_part") << "ip"
                                   << "192..1.1" << false << 0u << "part 2";
    QTest::newRow("ip_three_parts") << "ip"
                                    << "10.0.1" << false << 0u << "not an IPv4 address";
    QTest::newRow("ip_four_digits") << "ip"
                                    << "10.0.1.0010" << false << 0u << "part 4";
    QTest::newRow("device_ok") << "device"
                               << "10.77.0.50" << true << 0x0A4D0032u << "";
    QTest::newRow("device_zero") << "device"
                                 << "0.0.0.0" << false << 0u << "cannot be a device";
    QTest::newRow("device_multicast") << "device"
                                      << "239.255.255.250" << false << 0u << "cannot be a device";
    QTest::newRow("device_loopback") << "device"
                                     << "127.0.0.1" << false << 0u << "cannot be a device";
    QTest::newRow("device_limited_broadcast") << "device"
                                              << "255.255.255.255" << false << 0u << "cannot be a device";
    QTest::newRow("mask_24") << "mask"
                             << "255.255.255.0" << true << 0xFFFFFF00u << "";
    QTest::newRow("mask_32") << "mask"
                             << "255.255.255.255" << true << 0xFFFFFFFFu << "";
    QTest::newRow("mask_holes") << "mask"
                                << "255.0.255.0" << false << 0u << "not a subnet mask";
    QTest::newRow("mask_zero") << "mask"
                               << "0.0.0.0" << false << 0u << "not a subnet mask";
    QTest::newRow("port_1") << "port"
                            << "1" << true << 1u << "";
    QTest::newRow("port_max") << "port"
                              << "65535" << true << 65535u << "";
    QTest::newRow("port_70000") << "port"
                                << "70000" << false << 0u << "1 to 65535";
    QTest::newRow("port_zero") << "port"
                               << "0" << false << 0u << "1 to 65535";
    QTest::newRow("port_sign") << "port"
                               << "+80" << false << 0u << "1 to 65535";
}

void tst_CtlArguments::addresses()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(uint, value);
    QFETCH(QString, errorPart);
    const QString field = QStringLiteral("--field");
    Checked<quint32> result;
    if (kind == QLatin1String("ip"))
        result = parseIpv4(field, text);
    else if (kind == QLatin1String("device"))
        result = parseDeviceAddress(field, text);
    else if (kind == QLatin1String("mask"))
        result = parseMask(field, text);
    else {
        const Checked<quint16> port = parsePort(field, text);
        result = {port.value, port.error};
    }
    QCOMPARE(result.ok(), accepted);
    if (accepted) {
        QCOMPARE(uint(result.value), value);
    } else {
        QVERIFY2(result.error.startsWith(field), qPrintable(result.error));
        QVERIFY2(result.error.contains(errorPart), qPrintable(result.error));
    }
}

void tst_CtlArguments::credentials_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");
    const QString sixteen = QStringLiteral("0123456789abcdef");
    QTest::newRow("enc_16") << int(DeviceFamily::Encrypted407) << sixteen << true;
    QTest::newRow("enc_17") << int(DeviceFamily::Encrypted407) << sixteen + "x" << false;
    QTest::newRow("enc_trimmed") << int(DeviceFamily::Encrypted407) << "  " + sixteen + "  " << true;
    // Six characters, eighteen UTF-8 bytes.
    QTest::newRow("enc_utf8_bytes") << int(DeviceFamily::Encrypted407) << QStringLiteral("管理员管理员")
                                    << false;
    QTest::newRow("201_31") << int(DeviceFamily::Reply201) << QString(31, QLatin1Char('p')) << true;
    QTest::newRow("201_32") << int(DeviceFamily::Reply201) << QString(32, QLatin1Char('p')) << false;
    QTest::newRow("201_utf8") << int(DeviceFamily::Reply201) << QStringLiteral("管理员管理员") << true;
    QTest::newRow("plain_carries_none")
        << int(DeviceFamily::Plain407) << QString(100, QLatin1Char('p')) << true;
}

void tst_CtlArguments::credentials()
{
    QFETCH(int, family);
    QFETCH(QString, text);
    QFETCH(bool, fits);
    const QString problem = credentialProblem(DeviceFamily(family), QStringLiteral("--password"), text);
    QCOMPARE(problem.isEmpty(), fits);
    if (!fits)
        QVERIFY2(problem.startsWith(QLatin1String("--password")), qPrintable(problem));
}

void tst_CtlArguments::allocation_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("expected"); // empty with count > 0: refused
    QTest::newRow("one_apart") << "192.168.0.100" << 1 << 3
                               << QStringList{"192.168.0.100", "192.168.0.101", "192.168.0.102"};
    QTest::newRow("across_octet") << "10.0.0.250" << 5 << 3
                                  << QStringList{"10.0.0.250", "10.0.0.255", "10.0.1.4"};
    QTest::newRow("up_to_last") << "255.255.255.252" << 2 << 2
                                << QStringList{"255.255.255.252", "255.255.255.254"};
    QTest::newRow("past_last") << "255.255.255.252" << 2 << 3 << QStringList();
    QTest::newRow("huge_step") << "10.0.0.1" << 2147483647 << 3 << QStringList();
}

void tst_CtlArguments::allocation()
{
    QFETCH(QString, start);
    QFETCH(int, step);
    QFETCH(int, count);
    QFETCH(QStringList, expected);
    const Checked<QVector<quint32>> addresses = allocateAddresses(parseIpv4({}, start).value, step, count);
    QCOMPARE(addresses.ok(), !expected.isEmpty());
    QStringList texts;
    for (const quint32 a : addresses.value)
        texts << dottedText(a);
    QCOMPARE(texts, expected);
    if (!addresses.ok())
        QVERIFY(addresses.error.startsWith(QLatin1String("--start-ip")));
}

namespace {

AdapterVerdict verdict(const char *name, quint32 address, bool qualifies, bool up = true,
                       bool loopBack = false)
{
    AdapterVerdict v;
    v.adapter.name = QLatin1String(name);
    v.adapter.up = up;
    v.adapter.loopBack = loopBack;
    v.adapter.ipv4Entries = {Ipv4Entry{0, 0, 0}, Ipv4Entry{address, 0xFFFFFF00, address | 0xFF}};
    v.qualifies = qualifies;
    if (qualifies)
        v.entry = v.adapter.ipv4Entries[1];
    return v;
}

} // namespace

void tst_CtlArguments::adapters_data()
{
    QTest::addColumn<QStringList>("wanted");
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("picked"); // "name address" joined by "|"; "error" when refused
    QTest::newRow("qualifying_by_default") << QStringList() << false << "eth0 192.168.0.10|eth1 10.77.0.10";
    QTest::newRow("all_takes_virtual")
        << QStringList() << true << "eth0 192.168.0.10|vmnet1 192.168.56.1|eth1 10.77.0.10";
    QTest::newRow("by_name_even_unqualified") << QStringList{"vmnet1"} << false << "vmnet1 192.168.56.1";
    QTest::newRow("by_address") << QStringList{"10.77.0.10"} << false << "eth1 10.77.0.10";
    QTest::newRow("down_has_none") << QStringList{"wlan0"} << false << "";
    QTest::newRow("loopback_never") << QStringList{"127.0.0.1"} << false << "";
    QTest::newRow("unknown") << QStringList{"eth9"} << false << "error";
}

void tst_CtlArguments::adapters()
{
    QFETCH(QStringList, wanted);
    QFETCH(bool, all);
    QFETCH(QString, picked);
    const QVector<AdapterVerdict> verdicts{
        verdict("lo", 0x7F000001, false, true, true), verdict("eth0", 0xC0A8000A, true),
        verdict("vmnet1", 0xC0A83801, false), verdict("wlan0", 0xC0A80164, false, false),
        verdict("eth1", 0x0A4D000A, true)};
    const Checked<QVector<AdapterPick>> picks = pickAdapters(verdicts, wanted, all);
    if (picked == QLatin1String("error")) {
        QVERIFY(picks.error.startsWith(
            QLatin1String("--adapter: no adapter is named or has the address \"eth9\"")));
        return;
    }
    QVERIFY(picks.ok());
    QStringList seen;
    for (const AdapterPick &pick : picks.value)
        seen << pick.name + QLatin1Char(' ') + dottedText(pick.entry.address);
    QCOMPARE(seen.join(QLatin1Char('|')), picked);
}

QTEST_GUILESS_MAIN(tst_CtlArguments)
#include "tst_ctlarguments.moc"
