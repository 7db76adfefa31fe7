#include "engine/configtransaction.h"
#include "labtradelink.h"
#include "netcfg/tradeplan.h"
#include "support/devsimprocess.h"
#include "support/faultfleet.h"
#include "support/waituntil.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString kDemoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");
const QString kNewPort = QStringLiteral("15123");
constexpr int kShortTimeOutMs = 300;

// The devices of the demo fleet used here: MAC and address.
struct Device
{
    QString mac;
    QString ip;
};
const Device k407{QStringLiteral("02:51:00:00:00:31"), QStringLiteral("192.168.0.31")};
const Device k407b{QStringLiteral("02:51:00:00:00:32"), QStringLiteral("192.168.0.32")};
const Device kEnc{QStringLiteral("02:51:00:00:00:41"), QStringLiteral("192.168.0.41")};
const Device kEncB{QStringLiteral("02:51:00:00:00:42"), QStringLiteral("192.168.0.42")};
const Device k201{QStringLiteral("02:51:00:00:00:21"), QStringLiteral("192.168.0.21")};
const Device k201b{QStringLiteral("02:51:00:00:02:42"), QStringLiteral("192.168.0.242")};

QStringList trades(const QString &recordPath)
{
    QFile file(recordPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    lines.removeAll(QStringLiteral("59")); // the probes
    return lines;
}

} // namespace

// Configuration transactions over real sockets against the simulated fleet, without the window:
// a device is found by a search, configured, and the next search shows what it took.
class tst_ConfigTransaction : public QObject
{
    Q_OBJECT

private slots:
    void eachFamily_data();
    void eachFamily();
    void twoDevicesAtOnce_data();
    void twoDevicesAtOnce();
    void timeOut_data();
    void timeOut();
    void refusal_data();
    void refusal();

private:
    // The device's record as a search lists it.
    bool find(const Device &device, deviceReply *record);
    // Waits until a search lists the device with the port.
    bool listedWithPort(const Device &device, const QString &port);
    std::unique_ptr<ConfigTransaction> transaction(const deviceReply &record, const QString &port,
                                                   const QString &password = QStringLiteral("888888"),
                                                   TransactionOptions options = {});

    LabTradeLink link;
    std::unique_ptr<LabSearch> search;
};

bool tst_ConfigTransaction::find(const Device &device, deviceReply *record)
{
    search = std::make_unique<LabSearch>();
    const bool found = waitUntil([&] {
        search->probe(device.ip);
        return search->records.contains(device.mac);
    });
    if (found)
        *record = search->records.value(device.mac);
    return found;
}

bool tst_ConfigTransaction::listedWithPort(const Device &device, const QString &port)
{
    deviceReply record;
    return waitUntil([&] { return find(device, &record) && record.port == port; });
}

std::unique_ptr<ConfigTransaction> tst_ConfigTransaction::transaction(const deviceReply &record,
                                                                      const QString &port,
                                                                      const QString &password,
                                                                      TransactionOptions options)
{
    const NetForm form{record.ipv4,    port,           record.mask, record.gateway,
                       record.dstIpv4, record.dstPort, record.sn,   QStringLiteral("admin"),
                       password};
    auto t = std::make_unique<ConfigTransaction>(link, record, planTrades(form, record, record.ipv4),
                                                 QHostAddress(record.ipv4), quint16(record.port.toUInt()),
                                                 options);
    link.router.add(t.get());
    return t;
}

void tst_ConfigTransaction::eachFamily_data()
{
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<int>("count");
    // The last requests the device received, as the simulator recorded them.
    QTest::addColumn<QStringList>("recordedTail");
    // The transaction id of the device's last answer (encrypted family).
    QTest::addColumn<QByteArray>("lastTxid");

    QTest::newRow("407")
        << k407.mac << k407.ip << 8
        << QStringList{"4c5652454c414ec0a8001f", "5005c0a8001f", "50073b13", "5009ffffff00",
                       "5008c0a80001",           "500ac0a800c8", "500b2328", "525652454c414e"}
        << QByteArray();
    QTest::newRow("201") << k201.mac << k201.ip << 3
                         << QStringList{"50073b13025100000021", "525652454c414e025100000021"} << QByteArray();
    // 00000000 000000fe and SNID bytes 4-6 = 04 05 06: nine trades count up to 04050607.
    QTest::newRow("407enc") << kEnc.mac << kEnc.ip << 9 << QStringList()
                            << QByteArray::fromHex("0000000004050607");
}

void tst_ConfigTransaction::eachFamily()
{
    QFETCH(QString, mac);
    QFETCH(QString, ip);
    QFETCH(int, count);
    QFETCH(QStringList, recordedTail);
    QFETCH(QByteArray, lastTxid);
    QTemporaryDir dir;
    const QString recordPath = dir.filePath(QStringLiteral("record.txt"));
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet, QStringLiteral("--record"), recordPath}));
    deviceReply record;
    QVERIFY(find({mac, ip}, &record));

    auto t = transaction(record, kNewPort);
    QByteArray txid;
    connect(t.get(), &ConfigTransaction::idsChanged, this,
            [&](const QString &, const framecipher::TransactionId &id) {
                txid = QByteArray(reinterpret_cast<const char *>(id.data()), int(id.size()));
            });
    t->start();
    QVERIFY(waitUntil([&] { return t->isFinished(); }));
    QCOMPARE(t->results(), std::vector<TradeResult>(std::size_t(count), TradeResult::Accepted));
    QCOMPARE(t->failedLabels(), QString());
    QCOMPARE(txid, lastTxid);
    const QStringList recorded = trades(recordPath);
    QCOMPARE(recorded.size(), count);
    QCOMPARE(recorded.mid(count - recordedTail.size()), recordedTail);
    QVERIFY(listedWithPort({mac, ip}, kNewPort));
}

void tst_ConfigTransaction::twoDevicesAtOnce_data()
{
    QTest::addColumn<QString>("accepting");
    QTest::addColumn<QString>("refusing");
    QTest::addColumn<QString>("refused");
    const QString all = QStringLiteral("登录 IP地址 端口号 掩码 网关 服务器IP 服务器端口号 登出/重启 ");
    QTest::newRow("plain_pair") << "407"
                                << "407b" << all;
    QTest::newRow("framed_pair") << "407enc"
                                 << "407encb" << all + QStringLiteral("签退 ");
    QTest::newRow("group_pair") << "201"
                                << "201b" << QStringLiteral("登录 端口号 登出/重启 ");
}

// Two devices of one family configured at once over one socket, the second refusing every
// trade: each transaction reports its own device's answers, and only the first device changes.
void tst_ConfigTransaction::twoDevicesAtOnce()
{
    QFETCH(QString, accepting);
    QFETCH(QString, refusing);
    QFETCH(QString, refused);
    const QHash<QString, Device> byName{{"407", k407},      {"407b", k407b}, {"407enc", kEnc},
                                        {"407encb", kEncB}, {"201", k201},   {"201b", k201b}};
    const Device devices[] = {byName.value(accepting), byName.value(refusing)};
    QTemporaryDir dir;
    DevsimProcess sim;
    QVERIFY(sim.start(
        {QStringLiteral("--fleet"), fleetWithFault(dir, devices[1].mac, QStringLiteral("refuse"))}));
    deviceReply records[2];
    std::unique_ptr<ConfigTransaction> running[2];
    for (int i = 0; i < 2; ++i) {
        QVERIFY(find(devices[i], &records[i]));
        running[i] = transaction(records[i], kNewPort);
    }
    running[0]->start();
    running[1]->start();
    QCOMPARE(link.router.running(), 2);
    QVERIFY(waitUntil([&] { return running[0]->isFinished() && running[1]->isFinished(); }));
    QCOMPARE(running[0]->failedLabels(), QString());
    QCOMPARE(running[1]->failedLabels(), refused);
    QVERIFY(listedWithPort(devices[0], kNewPort));
    QVERIFY(listedWithPort(devices[1], records[1].port));
}

void tst_ConfigTransaction::timeOut_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("received");
    QTest::newRow("late_407enc") << "late" << kEnc.ip << int(DeviceFamily::Encrypted407) << 1;
    QTest::newRow("late_201") << "late" << k201.ip << int(DeviceFamily::Reply201) << 1;
    // Nothing lives at this address.
    QTest::newRow("absent_407") << "none"
                                << "192.168.0.99" << int(DeviceFamily::Plain407) << 0;
}

// No answer to the login within the time-out: it alone is reported, and nothing more is sent.
void tst_ConfigTransaction::timeOut()
{
    QFETCH(QString, fault);
    QFETCH(QString, ip);
    QFETCH(int, family);
    QFETCH(int, received);
    QTemporaryDir dir;
    const QString recordPath = dir.filePath(QStringLiteral("record.txt"));
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet, QStringLiteral("--fault"), fault,
                       QStringLiteral("--record"), recordPath}));
    deviceReply record;
    record.protocol = DeviceFamily(family);
    record.mac = QStringLiteral("02:51:00:00:00:99");
    record.ipv4 = ip;
    record.port = QStringLiteral("15000");
    record.mask = QStringLiteral("255.255.255.0");
    record.gateway = QStringLiteral("192.168.0.1");
    record.dstIpv4 = QStringLiteral("192.168.0.200");
    record.dstPort = QStringLiteral("9000");
    record.sn = QStringLiteral("4101");
    if (fault != QLatin1String("none")) {
        // A late device answers the search late too: it is listed as the fleet file says.
        const auto d = family == int(DeviceFamily::Reply201) ? k201 : kEnc;
        record.mac = d.mac;
    }
    TransactionOptions options;
    options.tradeTimeoutMs = kShortTimeOutMs;
    auto t = transaction(record, kNewPort, QStringLiteral("888888"), options);
    QSignalSpy finished(t.get(), &ConfigTransaction::finished);
    t->start();
    QVERIFY(waitUntil([&] { return t->isFinished(); }));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(t->results(), std::vector<TradeResult>{TradeResult::TimedOut});
    QCOMPARE(t->failedLabels(), QStringLiteral("登录 "));
    QTest::qWait(2 * kShortTimeOutMs);
    QCOMPARE(trades(recordPath).size(), received);
}

void tst_ConfigTransaction::refusal_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("failed");
    const QString all = QStringLiteral("登录 IP地址 端口号 掩码 网关 服务器IP 服务器端口号 登出/重启 ");
    QTest::newRow("refusing_407enc") << "refuse" << kEnc.mac << kEnc.ip << "888888" << all + "签退 ";
    QTest::newRow("refusing_407") << "refuse" << k407.mac << k407.ip << "888888" << all;
    // Signing off needs no login: only the serial is checked.
    QTest::newRow("wrong_password_407enc") << "none" << kEnc.mac << kEnc.ip << "wrong" << all;
    QTest::newRow("wrong_password_201")
        << "none" << k201.mac << k201.ip << "wrong" << QStringLiteral("登录 端口号 登出/重启 ");
}

// A refused login does not stop the transaction: every trade is sent and reported; the device
// keeps its settings.
void tst_ConfigTransaction::refusal()
{
    QFETCH(QString, fault);
    QFETCH(QString, mac);
    QFETCH(QString, ip);
    QFETCH(QString, password);
    QFETCH(QString, failed);
    DevsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet, QStringLiteral("--fault"), fault}));
    deviceReply record;
    QVERIFY(find({mac, ip}, &record));
    auto t = transaction(record, kNewPort, password);
    t->start();
    QVERIFY(waitUntil([&] { return t->isFinished(); }));
    QCOMPARE(t->failedLabels(), failed);
    QCOMPARE(t->results().front(), TradeResult::Refused);
    QVERIFY(listedWithPort({mac, ip}, record.port));
}

QTEST_GUILESS_MAIN(tst_ConfigTransaction)
#include "tst_configtransaction.moc"
